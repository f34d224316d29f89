#include "app/MenuBarBuilder.h"

#include "app/CommandRoutes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction* addEntry(QMenu* menu, const MenuBarEntry& entry, const CommandRoutes::Action& action)
{
    QAction* menuEntry = menu->addAction(QString::fromUtf8(entry.caption));
    menuEntry->setObjectName(QString::fromLatin1(entry.key));
    if (entry.shortcut)
        menuEntry->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    QObject::connect(menuEntry, &QAction::triggered, menuEntry, [action] { action(); });
    return menuEntry;
}

// A menu joins the bar only once it has entries.
void finishMenu(QMenuBar* menuBar, QMenu* menu)
{
    if (!menu)
        return;
    if (menu->actions().isEmpty())
        delete menu;
    else
        menuBar->addMenu(menu);
}
} // namespace

void buildMenuBar(QMenuBar* menuBar, std::span<const MenuBarEntry> layout, const CommandRoutes& routes)
{
    QMenu* menu = nullptr;
    QString pendingSeparator;
    for (const MenuBarEntry& entry : layout) {
        const QString key = QString::fromLatin1(entry.key);
        switch (entry.kind) {
        case MenuBarEntry::Menu:
            finishMenu(menuBar, menu);
            menu = new QMenu(QString::fromUtf8(entry.caption), menuBar);
            menu->setObjectName(key);
            pendingSeparator.clear();
            break;
        case MenuBarEntry::Separator:
            if (menu && !menu->actions().isEmpty())
                pendingSeparator = key;
            break;
        case MenuBarEntry::Item:
            if (const auto action = routes.actionFor(key); menu && action) {
                // A separator is added only once an entry follows it.
                if (!pendingSeparator.isEmpty())
                    menu->addSeparator()->setObjectName(std::exchange(pendingSeparator, QString()));
                addEntry(menu, entry, action);
            }
            break;
        }
    }
    finishMenu(menuBar, menu);
}
