#include "support/MenuBarText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

QString menuBarText(const QMenuBar* menuBar)
{
    QStringList menus;
    for (const QAction* menuAction : menuBar->actions()) {
        QStringList entries;
        for (const QAction* entry : menuAction->menu()->actions())
            entries << entry->objectName();
        menus << QStringLiteral("%1[%2]").arg(menuAction->menu()->objectName(),
                                              entries.join(QLatin1Char(' ')));
    }
    return menus.join(QLatin1Char(' '));
}
