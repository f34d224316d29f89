#pragma once

#include <span>
#include <vector>

// Filters for measuring played sound, each run over a whole recording: second-order sections
// after the well-known audio cookbook formulas.
namespace SoundFilters {

// Everything above `cornerHz` passes, falling 24 dB an octave below it (fourth-order Butterworth):
// a steady tone far below the corner all but vanishes, and what is left are the clicks.
std::vector<float> highPass(std::span<const float> samples, int sampleRate, double cornerHz);

// A band around `centreHz`, `q` its centre over its width.
std::vector<float> bandPass(std::span<const float> samples, int sampleRate, double centreHz, double q);

// The energy (mean square) of each run of `windowMs` milliseconds, back to back from the start.
std::vector<double> windowEnergies(std::span<const float> samples, int sampleRate, double windowMs);

} // namespace SoundFilters
