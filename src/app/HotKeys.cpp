#include "app/HotKeys.h"

#include "app/CommandRoutes.h"
#include "app/MainMenuBar.h"

#include <QGuiApplication>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

HotKeys::HotKeys(const CommandRoutes& routes, QWidget* mainWindow, MainMenuBar* menuBar, QWidget* videoWidget)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_videoWidget(videoWidget)
{
    for (const CommandRow& row : routes.rows()) {
        const HotKey& hotKey = row.hotKey;
        if (!hotKey.name)
            continue;
        const CommandRoutes::Action action = row.run;
        QList<QKeySequence> keys{QKeySequence(hotKey.keys)};
        if (hotKey.twinKeys.key() != Qt::Key_unknown)
            keys << QKeySequence(hotKey.twinKeys);

        // Application-wide so that the keys also work in the full-screen video window; which
        // window has the focus is checked below.
        auto* shortcut = new QShortcut(mainWindow);
        shortcut->setObjectName(QString::fromLatin1(hotKey.name));
        shortcut->setKeys(keys);
        shortcut->setContext(Qt::ApplicationShortcut);
        shortcut->setAutoRepeat(true);
        connect(shortcut, &QShortcut::activated, this, [action] { action(); });
        // A menu's access key may claim the same combination; see MainMenuBar.
        connect(shortcut, &QShortcut::activatedAmbiguously, this, [action] { action(); });
        if (menuBar) {
            for (const QKeySequence& key : keys)
                menuBar->giveWayTo(key, action);
        }
        m_shortcuts << shortcut;
    }
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &HotKeys::focusWindowChanged);
    focusWindowChanged(QGuiApplication::focusWindow());
}

bool HotKeys::actsIn(const QWindow* window) const
{
    if (!window)
        return false;
    // The picture is a native window embedded in the main (or full-screen) window; a key typed
    // while it has the focus belongs to the window around it.
    while (window->parent() != nullptr)
        window = window->parent();
    if (window == m_mainWindow->windowHandle())
        return true;
    // The video widget moves into a window of its own when it is shown full screen.
    return m_videoWidget && window == m_videoWidget->window()->windowHandle();
}

void HotKeys::focusWindowChanged(QWindow* focusWindow)
{
    const bool enabled = actsIn(focusWindow);
    for (QShortcut* shortcut : std::as_const(m_shortcuts))
        shortcut->setEnabled(enabled);
}
