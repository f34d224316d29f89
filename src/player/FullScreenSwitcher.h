#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

// Moves a widget into a frameless window that fills its screen, and back into exactly the place
// it came from: the same parent, the same slot of the same layout, or the same geometry and
// stacking when it is not laid out. Esc, or closing the full-screen window, brings it back.
// Nothing else of the window it came from is touched.
class FullScreenSwitcher : public QObject
{
    Q_OBJECT

public:
    explicit FullScreenSwitcher(QWidget* content, QObject* parent = nullptr);
    ~FullScreenSwitcher() override;

    void enter();
    void leave();
    bool isFullScreen() const { return m_window != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeStandIn(QWidget* home);
    void putBackInPlace();

    QPointer<QWidget> m_content;
    // While full screen: the window, and what keeps the content's place at home.
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_home;
    bool m_hadHome = false;
    QPointer<QWidget> m_standIn;
    bool m_standInLaidOut = false;
    QRect m_homeGeometry;
    bool m_wasVisible = false;
};
