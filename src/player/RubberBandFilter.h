#pragma once

#include <QString>

// The time-stretcher in mpv's audio filter chain: Rubber Band, labelled so that its pitch can be
// changed while a movie plays.
namespace RubberBandFilter {

inline constexpr const char* label = "stretcher";

// The "af" list entry of the stretcher, starting at this pitch scale.
QString entry(double pitchScale);

} // namespace RubberBandFilter
