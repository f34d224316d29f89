#pragma once

#include <span>
#include <vector>

// Where a continuous tone, captured in real time, went silent: the dropouts a listener hears at
// a loop's wrap or after a seek. The sound is cut into windows of a few milliseconds; a window
// counts as silent when its level lies far below the loudest window's. Silence before the first
// sound and after the last is the recording's edges, not a gap.
class SilenceGaps
{
public:
    static constexpr double windowMs = 5.0;

    // The length in milliseconds of each run of silent windows that has sound on both sides.
    static std::vector<double> lengthsMs(std::span<const float> samples, int sampleRate);
};
