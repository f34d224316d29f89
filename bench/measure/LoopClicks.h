#pragma once

#include <span>
#include <vector>

// Clicks where a player wraps a loop of a steady tone, in a real-time recording of what it played:
// the sound above 4 kHz, where a clean tone far below that has next to nothing, at each wrap
// against the rest of the recording.
namespace LoopClicks {

// Where a wrap lies in the recording, in ms from its first sample; `from` is `to` for a wrap
// without a gap.
struct Wrap
{
    double fromMs = 0;
    double toMs = 0;
};

// Where the tone plays in the recording, and its wraps.
struct Loop
{
    double toneFromMs = 0;
    double toneToMs = 0;
    std::vector<Wrap> wraps;
};

// The loop in a recording of a tone at `toneHz` that a player wraps every `periodMs` of real time:
// the first wrap is due a period after the tone starts, each next one a period after the tone came
// back from the last. A wrap lies where the tone falls silent or its phase jumps near where it is
// due; where neither happens (a wrap without a seam) it is taken where it is due.
Loop find(std::span<const float> samples, int sampleRate, double toneHz, double periodMs);

// For each wrap: the largest energy above 4 kHz in the 10 ms windows from 20 ms before the wrap
// to 20 ms after it, over the median energy of the windows away from the wraps while the tone
// plays (its start and end left out). 1 is a wrap no brighter than anywhere else; a click is ten or
// a hundred times that.
std::vector<double> ratios(std::span<const float> samples, int sampleRate, const Loop& loop);

} // namespace LoopClicks
