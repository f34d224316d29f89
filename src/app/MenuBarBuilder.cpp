#include "app/MenuBarBuilder.h"

#include "app/CommandRoutes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
void addEntry(QMenu* menu, const MenuBarEntry& entry, const CommandRoutes::Action& action)
{
    QAction* menuEntry = menu->addAction(QString::fromUtf8(entry.caption));
    menuEntry->setObjectName(QString::fromLatin1(entry.key));
    if (entry.shortcut)
        menuEntry->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    QObject::connect(menuEntry, &QAction::triggered, menuEntry, [action] { action(); });
}
} // namespace

QStringList buildMenuBar(QMenuBar* menuBar, std::span<const MenuBarEntry> layout, const CommandRoutes& routes)
{
    QStringList unmatched;
    QStringList placed;
    QMenu* menu = nullptr;
    QMenu* submenu = nullptr;
    for (const MenuBarEntry& entry : layout) {
        const QString key = QString::fromLatin1(entry.key);
        switch (entry.kind) {
        case MenuBarEntry::Menu:
            menu = menuBar->addMenu(QString::fromUtf8(entry.caption));
            menu->setObjectName(key);
            break;
        case MenuBarEntry::Submenu:
            submenu = menu->addMenu(QString::fromUtf8(entry.caption));
            submenu->setObjectName(key);
            break;
        case MenuBarEntry::Separator:
            menu->addSeparator()->setObjectName(key);
            break;
        case MenuBarEntry::Item:
        case MenuBarEntry::SubmenuItem:
            if (const auto action = routes.actionFor(key))
                addEntry(entry.kind == MenuBarEntry::Item ? menu : submenu, entry, action);
            else
                unmatched << key;
            placed << key;
            break;
        }
    }
    for (const CommandRow& row : routes.rows()) {
        if (row.menuEntry && !placed.contains(QString::fromLatin1(row.menuEntry)))
            unmatched << QString::fromLatin1(row.menuEntry);
    }
    return unmatched;
}
