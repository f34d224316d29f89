#include "AvSyncAnalysis.h"

#include "PrivateSoundServer.h"
#include "SoundFilters.h"
#include "Stats.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
constexpr double beepHz = 1000;
// Beeps come a second of movie apart, more in real time when it plays slower; a beep stretched
// by the tempo and its filter's ring last well under this.
constexpr double quietBeforeMs = 300;
constexpr double farthestPairMs = 400;
constexpr double settleMs = 300;
constexpr double closeMs = 30;

std::optional<double> nearestOffset(double flash, const std::vector<double>& beeps)
{
    const auto after = std::lower_bound(beeps.begin(), beeps.end(), flash);
    std::optional<double> best;
    for (auto beep = after == beeps.begin() ? after : after - 1; beep != beeps.end() && beep <= after; ++beep)
        if (!best || std::abs(*beep - flash) < std::abs(*best))
            best = *beep - flash;
    return best && std::abs(*best) <= farthestPairMs ? best : std::nullopt;
}
} // namespace

std::vector<double> AvSyncAnalysis::beepOnsetsMs(const SoundMonitor::Recording& recording)
{
    constexpr int rate = PrivateSoundServer::sampleRate;
    const std::vector<float> band = SoundFilters::bandPass(recording.samples, rate, beepHz, 2.0);
    float loudest = 0;
    for (const float sample : band)
        loudest = std::max(loudest, std::abs(sample));
    const float threshold = loudest / 4;
    const auto quietSamples = static_cast<size_t>(quietBeforeMs * rate / 1000);
    std::vector<double> onsets;
    size_t lastLoud = 0;
    bool heard = false;
    for (size_t i = 0; loudest > 0 && i < band.size(); ++i) {
        if (std::abs(band[i]) < threshold)
            continue;
        if (!heard || i - lastLoud > quietSamples)
            onsets.push_back(recording.timeOfMs(i));
        heard = true;
        lastLoud = i;
    }
    return onsets;
}

SyncSpread AvSyncAnalysis::compare(const std::vector<double>& flashesMs, const std::vector<double>& beepsMs,
                                   double startMs, const std::vector<double>& eventsMs)
{
    SyncSpread spread;
    std::vector<double> flashTimes;
    for (const double flash : flashesMs)
        if (flash >= startMs)
            if (const std::optional<double> offset = nearestOffset(flash, beepsMs)) {
                spread.offsetsMs.push_back(*offset);
                flashTimes.push_back(flash);
            }
    for (size_t event = 0; event < eventsMs.size(); ++event) {
        const double next = event + 1 < eventsMs.size() ? eventsMs[event + 1] : INFINITY;
        const auto first = std::lower_bound(flashTimes.begin(), flashTimes.end(), eventsMs[event] + settleMs);
        if (first != flashTimes.end() && *first < next)
            spread.settledMs.push_back(spread.offsetsMs[static_cast<size_t>(first - flashTimes.begin())]);
    }
    if (spread.offsetsMs.empty())
        return spread;
    spread.medianMs = median(spread.offsetsMs);
    spread.lowMs = percentile(spread.offsetsMs, 0.05);
    spread.highMs = percentile(spread.offsetsMs, 0.95);
    const auto close = std::count_if(spread.offsetsMs.begin(), spread.offsetsMs.end(),
                                     [](double offset) { return std::abs(offset) <= closeMs; });
    spread.withinThirtyMs = static_cast<double>(close) / static_cast<double>(spread.offsetsMs.size());
    return spread;
}
