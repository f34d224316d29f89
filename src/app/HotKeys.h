#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class CommandRoutes;
class MainMenuBar;
class QShortcut;
class QWidget;
class QWindow;

// The hot keys of the main window: one QShortcut per command row that has a hot key, named after
// its hot-key control. They act while the main window or the video (also when it is
// shown full screen) is the focused window, whatever control has the focus there; in any other
// window (a calculator, a dialog, an open menu) they stand aside so that its controls get the keys.
class HotKeys : public QObject
{
    Q_OBJECT

public:
    HotKeys(const CommandRoutes& routes, QWidget* mainWindow, MainMenuBar* menuBar, QWidget* videoWidget);

    const QList<QShortcut*>& shortcuts() const { return m_shortcuts; }

private:
    void focusWindowChanged(QWindow* focusWindow);
    bool actsIn(const QWindow* window) const;

    QWidget* m_mainWindow;
    QPointer<QWidget> m_videoWidget;
    QList<QShortcut*> m_shortcuts;
};
