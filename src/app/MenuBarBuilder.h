#pragma once

#include "app/MenuBarEntry.h"

#include <span>

class CommandRoutes;
class QMenuBar;

// Fills a menu bar from its layout. An entry whose action has no owner yet is left out, and so
// is a menu left with no entries, rather than offering choices that do nothing; separators
// stand only between entries that are there.
void buildMenuBar(QMenuBar* menuBar, std::span<const MenuBarEntry> layout, const CommandRoutes& routes);
