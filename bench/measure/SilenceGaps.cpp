#include "SilenceGaps.h"

#include "ToneAnalysis.h"

#include <algorithm>

namespace {
// 40 dB below the loudest window: well under any tone that is playing, well above the dither and
// the stretcher's fade-in of its first few samples.
constexpr double silenceRatio = 0.01;
} // namespace

std::vector<double> SilenceGaps::lengthsMs(std::span<const float> samples, int sampleRate)
{
    const auto windowLength = static_cast<size_t>(sampleRate * windowMs / 1000.0);
    if (windowLength == 0)
        return {};
    std::vector<double> levels;
    for (size_t start = 0; start + windowLength <= samples.size(); start += windowLength)
        levels.push_back(ToneAnalysis::rms(samples.subspan(start, windowLength)));
    const double loudest = levels.empty() ? 0.0 : *std::max_element(levels.begin(), levels.end());
    if (loudest <= 0)
        return {};

    std::vector<double> gaps;
    bool heardSound = false;
    int silentRun = 0;
    for (const double level : levels) {
        if (level < loudest * silenceRatio) {
            ++silentRun;
            continue;
        }
        if (heardSound && silentRun > 0)
            gaps.push_back(silentRun * windowMs);
        heardSound = true;
        silentRun = 0;
    }
    return gaps;
}
