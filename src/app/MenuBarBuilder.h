#pragma once

#include "app/MenuBarEntry.h"

#include <QStringList>

#include <span>

class CommandRoutes;
class QMenuBar;

// Fills a menu bar from its layout, each entry running the command that routes its name. Returns
// the names that do not meet: entries of the layout that no command routes, and commands' menu
// entries that the layout does not place.
QStringList buildMenuBar(QMenuBar* menuBar, std::span<const MenuBarEntry> layout,
                         const CommandRoutes& routes);
