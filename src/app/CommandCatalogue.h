#pragma once

#include "app/CommandRoute.h"

#include <span>

// Which toolbar button, on-screen button, menu entry and hot key run which action.
std::span<const CommandRoute> commandCatalogue();
