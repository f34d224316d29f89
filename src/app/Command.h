#pragma once

// The user commands of the main window, one per action of the command catalogue.
enum class Command
{
    Open,
    Play,
    PlayLoop,
    Pause,
    Stop,
    Rewind,
    FForward,
    Exit,
};
