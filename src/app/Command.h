#pragma once

// The user commands of the main window, one per action of the command catalogue.
enum class Command
{
    // open and transport
    Open,
    Play,
    PlayLoop,
    Pause,
    Stop,
    Rewind,
    FForward,
    // loop window and view
    LoopWinBack,
    LoopWinForward,
    FullScreen,
    WindowView,
    // tempo, pitch, rate and volume
    ResetAll,
    Tempo10Up,
    Tempo1Up,
    TempoReset,
    TempoResetByHotKey,
    Tempo1Down,
    Tempo10Down,
    Rate10Up,
    Rate1Up,
    RateReset,
    Rate1Down,
    Rate10Down,
    Semitones12Up,
    Semitones1Up,
    SemitonesReset,
    Semitones1Down,
    Semitones12Down,
    FinePitch50Up,
    FinePitch1Up,
    FinePitchReset,
    FinePitch1Down,
    FinePitch50Down,
    BothPitchesReset,
    GainDown,
    GainUp,
    // the program
    Exit,
};
