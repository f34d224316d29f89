#include "player/VolumeLevel.h"

#include <algorithm>
#include <cmath>

namespace VolumeLevel {

int clamped(int hundredthsOfDecibel)
{
    return std::clamp(hundredthsOfDecibel, silence, full);
}

double gain(int hundredthsOfDecibel)
{
    const int level = clamped(hundredthsOfDecibel);
    if (level == silence)
        return 0.0;
    return std::pow(10.0, level / 100.0 / 20.0);
}

} // namespace VolumeLevel
