#pragma once

#include <QString>

// The time-stretcher of mpv's command-line player when it is measured against the program: Rubber
// Band with the engine and formants of the program's own stretcher, in mpv's audio filter chain.
namespace RubberBandFilter {

inline constexpr const char* label = "stretcher";

// The "af" list entry of the stretcher, starting at this pitch scale.
QString entry(double pitchScale);

} // namespace RubberBandFilter
