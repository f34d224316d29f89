#pragma once

#include <QHash>
#include <QKeySequence>
#include <QMenuBar>

#include <functional>

// The main window's menu bar. A menu's access key can be the same combination as a hot key
// (Alt+P opens "&Pitch" and plays); the hot key wins, as users of the hot keys expect, and the
// menu stays reachable by pressing and releasing Alt first. While the bar is worked by keyboard
// it keeps every key, arrows included.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT

public:
    using QMenuBar::QMenuBar;

    // From now on `key` runs `hotKey` instead of opening a menu.
    void giveWayTo(const QKeySequence& key, const std::function<void()>& hotKey);

protected:
    bool event(QEvent* event) override;

private:
    QHash<QKeySequence, std::function<void()>> m_hotKeys;
};
