#pragma once

#include "sound/SoundSliders.h"

#include <functional>
#include <vector>

class CalculatorWindows;
class ExcerptCommands;
class FullScreenCommands;
class HelpMenuCommands;
class LoopWindow;
class MarksList;
class QWidget;
class SnapshotCommands;
class SoundControls;
class TransportCommands;

// One user command: the toolbar button, on-screen button, menu entry and hot key that run it
// (null where the command has no such route), and what it runs. Every route calls `run` and adds
// nothing.
struct CommandRow
{
    const char* toolbarButton;
    const char* screenButton;
    const char* menuEntry;
    const char* hotKey;
    std::function<void()> run;
};

// The owners whose methods the commands run; they must outlive the rows.
struct CommandOwners
{
    QWidget& mainWindow;
    TransportCommands& transport;
    LoopWindow& loopWindow;
    FullScreenCommands& fullScreen;
    SoundSliders sliders;
    SoundControls& sound;
    MarksList& marks;
    ExcerptCommands& excerpts;
    SnapshotCommands& snapshots;
    CalculatorWindows& calculators;
    HelpMenuCommands& help;
};

// Every command of the main window, one row each.
std::vector<CommandRow> commandTable(const CommandOwners& owners);
