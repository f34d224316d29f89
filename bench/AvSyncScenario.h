#pragma once

#include <QString>

// The worker's side of the benchmark's avsync figure: shows our player's picture in a window at
// avSyncWindow on this process's display, sends its sound to the system's output (the benchmark's
// private sound server) and plays the phase named (AvSyncPhases.h) of `movie` at `tempo`. Prints
// "start" (monotonicMs) when it asks playback to start, and "event" at each seek, the first one
// included, and each loop wrap. 0 when it played.
int playAvSyncPhase(const QString& movie, qint16 tempo, const QString& phaseKey);
