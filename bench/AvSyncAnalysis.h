#pragma once

#include "BenchFigures.h"
#include "SoundMonitor.h"

#include <vector>

// Lines up the flashes seen on the screen with the beeps heard in the sound of a clip made with
// MovieMaker's flashEverySecond, which has both at each whole second of the movie.
namespace AvSyncAnalysis {

// When each beep began to sound (monotonicMs): where the sound around 1 kHz rises above a
// quarter of its loudest after a quiet while.
std::vector<double> beepOnsetsMs(const SoundMonitor::Recording& recording);

// Each flash from `startMs` on against the beep nearest to it (none farther than 400 ms), and
// after each event (a seek or a loop wrap) the first flash 300 ms or more after it and before the
// next event.
SyncSpread compare(const std::vector<double>& flashesMs, const std::vector<double>& beepsMs, double startMs,
                   const std::vector<double>& eventsMs);

} // namespace AvSyncAnalysis
