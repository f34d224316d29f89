#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QDialog;

// What the tool windows (the calculators, the speed trainer) share: a titled, fixed-size dialog in
// twips, with the main window's 8 pt font and only a close button. A tool window left open never
// keeps the program running once the main window has closed.
void frameToolWindow(QDialog& window, const QString& name, const QString& title, int widthTwips,
                     int heightTwips);

// Shows the one window of a tool: a closed window is replaced by a new one, which starts afresh;
// an open one is brought to the front as it is.
template <typename Window, typename Create>
void showSingleWindow(std::unique_ptr<Window>& window, Create create)
{
    if (!window || !window->isVisible())
        window = create();
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}
