#include "player/VolumeLevel.h"

#include <algorithm>
#include <cmath>

namespace VolumeLevel {

int clamped(int hundredthsOfDecibel)
{
    return std::clamp(hundredthsOfDecibel, silence, full);
}

double mpvPercent(int hundredthsOfDecibel)
{
    const int level = clamped(hundredthsOfDecibel);
    if (level == silence)
        return 0.0;
    // gain = 10^(dB/20) = (percent/100)^3, so percent = 100 x 10^(dB/60).
    const double decibels = level / 100.0;
    return 100.0 * std::pow(10.0, decibels / 60.0);
}

} // namespace VolumeLevel
