#pragma once

#include "sound/SoundSliders.h"

#include <QKeyCombination>

#include <functional>
#include <vector>

class CalculatorWindows;
class ExcerptCommands;
class ExportCommands;
class FullScreenCommands;
class HelpMenuCommands;
class LoopWindow;
class MarksList;
class QWidget;
class SnapshotCommands;
class SoundControls;
class SoundViews;
class SpeedTrainerWindow;
class TransportCommands;

// A hot key: the name of its control and the key combination that runs it. Some keys come twice
// on a keyboard (Enter on the main block and on the keypad) and both count.
struct HotKey
{
    const char* name = nullptr;
    QKeyCombination keys;
    QKeyCombination twinKeys = QKeyCombination();
};

// One user command: the toolbar button, on-screen button, menu entry and hot key that run it
// (null where the command has no such route), and what it runs. Every route calls `run` and adds
// nothing. Buttons and menu entries are placed by their own tables, which find them by name.
struct CommandRow
{
    const char* toolbarButton;
    const char* screenButton;
    const char* menuEntry;
    HotKey hotKey;
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
    SoundViews& views;
    MarksList& marks;
    ExcerptCommands& excerpts;
    ExportCommands& exports;
    SnapshotCommands& snapshots;
    CalculatorWindows& calculators;
    SpeedTrainerWindow& trainer;
    HelpMenuCommands& help;
};

// Every command of the main window, one row each.
std::vector<CommandRow> commandTable(const CommandOwners& owners);
