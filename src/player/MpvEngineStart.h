#pragma once

#include "player/MpvHandle.h"

// An mpv core set up to be embedded safely and to open nothing but the one file it is given,
// drawing to `videoOutput`; null when mpv would not start so.
MpvHandle startConfinedEngine(const char* videoOutput);
