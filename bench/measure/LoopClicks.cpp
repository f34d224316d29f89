#include "LoopClicks.h"

#include "SoundFilters.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {
constexpr double blockMs = 5;
// The wrap is searched for this far either side of where it is due.
constexpr double searchMs = 150;
constexpr double cornerHz = 4000;
constexpr double windowMs = 10;
constexpr double aroundWrapMs = 20;
constexpr double edgeMs = 100;

// The tone in blocks of blockMs: its level and phase against a clock that runs from the first
// sample, which stays the same from block to block while the tone goes on unbroken.
struct Blocks
{
    std::vector<std::complex<double>> tone;
    double level = 0; // the median of the blocks where the tone plays

    bool silent(size_t block) const { return std::abs(tone[block]) < level / 2; }
    bool seam(size_t block) const
    {
        return silent(block) || block + 1 >= tone.size() || silent(block + 1) ||
               std::abs(std::arg(tone[block + 1] / tone[block])) > 0.5;
    }
};

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values.empty() ? NAN : values[values.size() / 2];
}

Blocks measureBlocks(std::span<const float> samples, int sampleRate, double toneHz)
{
    const auto length = static_cast<size_t>(sampleRate * blockMs / 1000);
    const double step = 2 * std::numbers::pi * toneHz / sampleRate;
    Blocks blocks;
    for (size_t start = 0; length > 0 && start + length <= samples.size(); start += length) {
        std::complex<double> sum;
        for (size_t i = start; i < start + length; ++i)
            sum += double(samples[i]) * std::polar(1.0, -step * double(i));
        blocks.tone.push_back(sum * 2.0 / double(length));
    }
    std::vector<double> levels;
    for (const auto& block : blocks.tone)
        levels.push_back(std::abs(block));
    const double loudest = levels.empty() ? 0 : *std::max_element(levels.begin(), levels.end());
    std::erase_if(levels, [loudest](double level) { return level < loudest / 10; });
    blocks.level = levels.empty() ? 0 : median(levels);
    return blocks;
}

} // namespace

LoopClicks::Loop LoopClicks::find(std::span<const float> samples, int sampleRate, double toneHz,
                                  double periodMs)
{
    const Blocks blocks = measureBlocks(samples, sampleRate, toneHz);
    const auto blockAt = [](double ms) { return static_cast<size_t>(std::max(0.0, ms / blockMs)); };
    size_t first = 0, last = blocks.tone.size();
    while (first < last && blocks.silent(first))
        ++first;
    while (last > first && blocks.silent(last - 1))
        --last;
    Loop loop{double(first) * blockMs, double(last) * blockMs, {}};
    for (double due = double(first) * blockMs + periodMs; blockAt(due + searchMs) < last;) {
        size_t block = blockAt(due - searchMs);
        while (block < blockAt(due + searchMs) && !blocks.seam(block))
            ++block;
        if (block == blockAt(due + searchMs)) {
            loop.wraps.push_back({due, due});
            due += periodMs;
            continue;
        }
        const size_t seamStart = block;
        while (block < last && blocks.seam(block))
            ++block;
        loop.wraps.push_back({double(seamStart) * blockMs, double(block) * blockMs});
        due = double(block) * blockMs + periodMs;
    }
    return loop;
}

std::vector<double> LoopClicks::ratios(std::span<const float> samples, int sampleRate, const Loop& loop)
{
    const std::vector<double> energies = SoundFilters::windowEnergies(
        SoundFilters::highPass(samples, sampleRate, cornerHz), sampleRate, windowMs);
    const auto windowAt = [&](double ms) {
        return std::min(static_cast<size_t>(std::max(0.0, ms / windowMs)), energies.size());
    };
    const auto mark = [&](std::vector<bool>& marks, double fromMs, double toMs, bool value) {
        for (size_t window = windowAt(fromMs); window < windowAt(toMs); ++window)
            marks[window] = value;
    };
    // Away from the wraps, and from the start and end of the tone, which make clicks of their own.
    std::vector<bool> counted(energies.size(), false);
    mark(counted, loop.toneFromMs + edgeMs, loop.toneToMs - edgeMs, true);
    for (const Wrap& wrap : loop.wraps)
        mark(counted, wrap.fromMs - aroundWrapMs - windowMs, wrap.toMs + aroundWrapMs + windowMs, false);
    std::vector<double> elsewhere;
    for (size_t window = 0; window < energies.size(); ++window)
        if (counted[window])
            elsewhere.push_back(energies[window]);
    const double typical = median(elsewhere);
    std::vector<double> ratios;
    for (const Wrap& wrap : loop.wraps) {
        double largest = NAN;
        for (size_t window = windowAt(wrap.fromMs - aroundWrapMs);
             window <= windowAt(wrap.toMs + aroundWrapMs) && window < energies.size(); ++window)
            largest = std::isnan(largest) ? energies[window] : std::max(largest, energies[window]);
        ratios.push_back(largest / typical);
    }
    return ratios;
}
