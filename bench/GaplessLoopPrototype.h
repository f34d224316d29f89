#pragma once

#include <QString>

// A prototype of a sound path of the player's own, for loop wraps with no gap at all: the loop's
// sound is decoded once (ffmpeg), and one Rubber Band stretcher, never reset, gets the loop's
// end followed straight by its beginning, over and over; its output goes to the sound server in
// real time (pacat). The engine's A-B loop instead resets the stretcher at each wrap, and the
// stretcher then starts with its start delay of silence. Plays for `seconds`; 0 when it played.
struct LoopPrototypeSettings
{
    QString movie;
    double from = 10;
    double to = 12.5;
    double speed = 1.0;
    double pitchScale = 1.0;
    int seconds = 15;
};
int playGaplessLoopPrototype(const LoopPrototypeSettings& settings);
