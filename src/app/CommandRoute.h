#pragma once

#include "app/Command.h"

// One row of the command catalogue: the controls, menu entry and hot key that run one action.
// A null name means the action has no such route.
struct CommandRoute
{
    Command command;
    const char* toolbarButton;
    const char* screenButton;
    const char* menuEntry;
    const char* hotKey;
};
