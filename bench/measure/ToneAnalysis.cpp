#include "ToneAnalysis.h"

#include <cmath>
#include <limits>
#include <numbers>

double ToneAnalysis::frequency(std::span<const float> samples, int sampleRate)
{
    const double hysteresis = 0.1 * rms(samples);
    bool armed = false;
    double first = 0, last = 0;
    long crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        armed = armed || samples[i] < -hysteresis;
        if (armed && samples[i - 1] < 0 && samples[i] >= 0) {
            last = double(i - 1) + samples[i - 1] / (samples[i - 1] - samples[i]);
            first = crossings++ == 0 ? last : first;
            armed = false;
        }
    }
    if (crossings < 2 || sampleRate <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return double(crossings - 1) * sampleRate / (last - first);
}

double ToneAnalysis::rms(std::span<const float> samples)
{
    double sum = 0;
    for (const float x : samples)
        sum += double(x) * x;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
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
    const auto block = size_t(0.02 * sampleRate);
    const double step = 2 * std::numbers::pi * frequency / sampleRate;
    double signal = 0, residual = 0;
    for (size_t start = 0; block > 0 && start + block <= samples.size(); start += block) {
        // Least squares of a*cos + b*sin: the 2x2 normal equations, solved directly.
        double cc = 0, ss = 0, cs = 0, xc = 0, xs = 0;
        for (size_t i = 0; i < block; ++i) {
            const double c = std::cos(step * double(i)), s = std::sin(step * double(i)),
                         x = samples[start + i];
            cc += c * c;
            ss += s * s;
            cs += c * s;
            xc += x * c;
            xs += x * s;
        }
        const double det = cc * ss - cs * cs;
        const double a = (xc * ss - xs * cs) / det, b = (xs * cc - xc * cs) / det;
        for (size_t i = 0; i < block; ++i) {
            const double tone = a * std::cos(step * double(i)) + b * std::sin(step * double(i));
            signal += tone * tone;
            residual += std::pow(samples[start + i] - tone, 2);
        }
    }
    return signal > 0 ? 10 * std::log10(signal / std::max(residual, 1e-30))
                      : -std::numeric_limits<double>::infinity();
}
