#pragma once

#include "app/MenuBarEntry.h"

#include <span>

// The whole menu bar in order. It never changes at run time.
std::span<const MenuBarEntry> menuBarLayout();
