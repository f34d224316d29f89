#include "app/MainMenuBar.h"

#include <QShortcutEvent>

void MainMenuBar::giveWayTo(const QKeySequence& key, const std::function<void()>& hotKey)
{
    m_hotKeys.insert(key, hotKey);
}

bool MainMenuBar::event(QEvent* event)
{
    // The bar has the focus only while it is worked by keyboard (after Alt alone): its
    // arrow keys then move between the menus instead of running hot keys.
    if (event->type() == QEvent::ShortcutOverride && hasFocus()) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        const auto hotKey = m_hotKeys.constFind(shortcut->key());
        if (hotKey != m_hotKeys.cend()) {
            // Qt hands a combination claimed twice to each claimant in turn. Withdrawing the
            // menu's claim leaves the hot key the only one from the next press on; this press
            // runs the hot key here.
            setShortcutEnabled(shortcut->shortcutId(), false);
            (*hotKey)();
            return true;
        }
    }
    return QMenuBar::event(event);
}
