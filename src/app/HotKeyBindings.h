#pragma once

#include "app/HotKeyBinding.h"

#include <span>

// The fixed key bindings of the main window, in declaration order.
std::span<const HotKeyBinding> hotKeyBindings();
