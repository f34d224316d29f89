#include "SoundFilters.h"

#include <cmath>
#include <numbers>

namespace {

struct Section
{
    double b0, b1, b2, a1, a2; // normalised by a0

    void run(std::vector<float>& samples) const
    {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (float& sample : samples) {
            const double x = sample;
            const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            sample = static_cast<float>(y);
        }
    }
};

// The cookbook's high pass (`bandPass` false) or constant-peak band pass at `hz` with quality `q`.
Section section(bool bandPass, int sampleRate, double hz, double q)
{
    const double w = 2 * std::numbers::pi * hz / sampleRate;
    const double alpha = std::sin(w) / (2 * q), cosW = std::cos(w), a0 = 1 + alpha;
    if (bandPass)
        return {alpha / a0, 0, -alpha / a0, -2 * cosW / a0, (1 - alpha) / a0};
    return {(1 + cosW) / 2 / a0, -(1 + cosW) / a0, (1 + cosW) / 2 / a0, -2 * cosW / a0, (1 - alpha) / a0};
}

} // namespace

std::vector<float> SoundFilters::highPass(std::span<const float> samples, int sampleRate, double cornerHz)
{
    std::vector<float> out(samples.begin(), samples.end());
    // The two sections of a fourth-order Butterworth filter.
    for (const double q : {0.54119610, 1.30656296})
        section(false, sampleRate, cornerHz, q).run(out);
    return out;
}

std::vector<float> SoundFilters::bandPass(std::span<const float> samples, int sampleRate, double centreHz,
                                          double q)
{
    std::vector<float> out(samples.begin(), samples.end());
    section(true, sampleRate, centreHz, q).run(out);
    return out;
}

std::vector<double> SoundFilters::windowEnergies(std::span<const float> samples, int sampleRate,
                                                 double windowMs)
{
    const auto length = static_cast<size_t>(sampleRate * windowMs / 1000);
    std::vector<double> energies;
    for (size_t start = 0; length > 0 && start + length <= samples.size(); start += length) {
        double sum = 0;
        for (size_t i = start; i < start + length; ++i)
            sum += double(samples[i]) * samples[i];
        energies.push_back(sum / double(length));
    }
    return energies;
}
