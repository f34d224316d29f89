#include "support/ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr double blockSeconds = 0.02;

// The best fit of a*cos(wt) + b*sin(wt) + c to one block.
struct SineFit
{
    double amplitude = 0;
    double signalEnergy = 0;
    double residualEnergy = 0;
};

SineFit fitSine(std::span<const float> block, double radiansPerSample)
{
    // Normal equations of the least-squares fit, solved by Cramer's rule.
    double cc = 0, ss = 0, cs = 0, c1 = 0, s1 = 0, xc = 0, xs = 0, x1 = 0;
    const double n = static_cast<double>(block.size());
    for (size_t i = 0; i < block.size(); ++i) {
        const double c = std::cos(radiansPerSample * static_cast<double>(i));
        const double s = std::sin(radiansPerSample * static_cast<double>(i));
        const double x = block[i];
        cc += c * c;
        ss += s * s;
        cs += c * s;
        c1 += c;
        s1 += s;
        xc += x * c;
        xs += x * s;
        x1 += x;
    }
    const double m[3][3] = {{cc, cs, c1}, {cs, ss, s1}, {c1, s1, n}};
    const double v[3] = {xc, xs, x1};
    const auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    SineFit fit;
    if (std::abs(d) < 1e-12)
        return fit;
    double coefficients[3];
    for (int k = 0; k < 3; ++k) {
        double mk[3][3];
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                mk[r][col] = col == k ? v[r] : m[r][col];
        coefficients[k] = det(mk) / d;
    }
    const double a = coefficients[0], b = coefficients[1], offset = coefficients[2];
    fit.amplitude = std::hypot(a, b);
    for (size_t i = 0; i < block.size(); ++i) {
        const double tone = a * std::cos(radiansPerSample * static_cast<double>(i)) +
                            b * std::sin(radiansPerSample * static_cast<double>(i));
        const double residual = block[i] - tone - offset;
        fit.signalEnergy += tone * tone;
        fit.residualEnergy += residual * residual;
    }
    return fit;
}

std::vector<SineFit> fitBlocks(std::span<const float> samples, int sampleRate, double frequency)
{
    std::vector<SineFit> fits;
    const auto blockLength = static_cast<size_t>(blockSeconds * sampleRate);
    if (blockLength == 0 || sampleRate <= 0 || !(frequency > 0))
        return fits;
    const double radiansPerSample = 2 * std::numbers::pi * frequency / sampleRate;
    for (size_t start = 0; start + blockLength <= samples.size(); start += blockLength)
        fits.push_back(fitSine(samples.subspan(start, blockLength), radiansPerSample));
    return fits;
}

} // namespace

double ToneAnalysis::frequency(std::span<const float> samples, int sampleRate)
{
    const double hysteresis = 0.1 * rms(samples);
    bool armed = false;
    double first = -1, last = -1;
    long crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        if (samples[i] < -hysteresis)
            armed = true;
        if (armed && samples[i - 1] < 0 && samples[i] >= 0) {
            const double fraction = samples[i - 1] / (samples[i - 1] - samples[i]);
            const double at = static_cast<double>(i - 1) + fraction;
            if (crossings == 0)
                first = at;
            last = at;
            ++crossings;
            armed = false;
        }
    }
    if (crossings < 2 || sampleRate <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(crossings - 1) * sampleRate / (last - first);
}

double ToneAnalysis::rms(std::span<const float> samples)
{
    if (samples.empty())
        return 0;
    double sum = 0;
    for (const float x : samples)
        sum += static_cast<double>(x) * x;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double ToneAnalysis::rmsDecibels(std::span<const float> samples)
{
    return 20 * std::log10(rms(samples));
}

double ToneAnalysis::cents(double measured, double reference)
{
    return 1200 * std::log2(measured / reference);
}

double ToneAnalysis::sinadDecibels(std::span<const float> samples, int sampleRate, double frequency)
{
    double signal = 0, residual = 0;
    for (const SineFit& fit : fitBlocks(samples, sampleRate, frequency)) {
        signal += fit.signalEnergy;
        residual += fit.residualEnergy;
    }
    if (signal <= 0)
        return -std::numeric_limits<double>::infinity();
    return 10 * std::log10(signal / std::max(residual, 1e-30));
}

double ToneAnalysis::levelSpreadDecibels(std::span<const float> samples, int sampleRate, double frequency)
{
    const std::vector<SineFit> fits = fitBlocks(samples, sampleRate, frequency);
    if (fits.empty())
        return std::numeric_limits<double>::infinity();
    const auto [quietest, loudest] =
        std::minmax_element(fits.begin(), fits.end(),
                            [](const SineFit& a, const SineFit& b) { return a.amplitude < b.amplitude; });
    if (quietest->amplitude <= 0)
        return std::numeric_limits<double>::infinity();
    return 20 * std::log10(loudest->amplitude / quietest->amplitude);
}
