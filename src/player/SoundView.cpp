#include "player/SoundView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double crossoverHz = 250;
constexpr double fadeSeconds = 0.015;

bool usesCrossover(SoundView view)
{
    return view == SoundView::BassOnly || view == SoundView::WithoutBass;
}

} // namespace

double SoundViewFilter::Section::run(double x, int channel)
{
    // Transposed direct form II.
    auto& [first, second] = past[channel];
    const double y = b0 * x + first;
    first = b1 * x - a1 * y + second;
    second = b2 * x - a2 * y;
    return y;
}

void SoundViewFilter::Section::settle()
{
    for (auto& channel : past)
        for (double& value : channel)
            value = std::abs(value) < 1e-30 ? 0 : value;
}

float SoundViewFilter::through(Half& half, float x, int channel)
{
    return static_cast<float>(half[1].run(half[0].run(x, channel), channel));
}

SoundViewFilter::SoundViewFilter(int rate)
    : m_fadeFrames(static_cast<std::size_t>(std::lround(rate * fadeSeconds))), m_fadeDone(m_fadeFrames)
{
    // Butterworth sections (Q = 1/sqrt 2) after the well-known audio cookbook formulas.
    const double w = 2 * std::numbers::pi * crossoverHz / rate;
    const double cosW = std::cos(w), alpha = std::sin(w) / std::numbers::sqrt2, a0 = 1 + alpha;
    const Section low{(1 - cosW) / 2 / a0, (1 - cosW) / a0, (1 - cosW) / 2 / a0, -2 * cosW / a0,
                      (1 - alpha) / a0};
    const Section high{(1 + cosW) / 2 / a0, -(1 + cosW) / a0, (1 + cosW) / 2 / a0, -2 * cosW / a0,
                       (1 - alpha) / a0};
    m_lowPass = {low, low};
    m_highPass = {high, high};
}

void SoundViewFilter::restart()
{
    m_shown = m_wanted;
    m_fadeDone = m_fadeFrames;
    m_crossoverRuns = false;
    if (usesCrossover(m_shown))
        startCrossover();
}

void SoundViewFilter::startFade()
{
    m_fadingFrom = m_shown;
    m_shown = m_wanted;
    m_fadeDone = 0;
    if (!m_crossoverRuns && usesCrossover(m_shown))
        startCrossover();
}

void SoundViewFilter::startCrossover()
{
    for (Half* half : {&m_lowPass, &m_highPass})
        for (Section& section : *half)
            section.past = {};
    m_crossoverRuns = true;
}

SoundViewFilter::Frame SoundViewFilter::viewed(SoundView view, Frame in) const
{
    switch (view) {
    case SoundView::BothChannels:
        return in;
    case SoundView::LeftOnly:
        return {in.left, in.left};
    case SoundView::RightOnly:
        return {in.right, in.right};
    case SoundView::Mono:
        return {(in.left + in.right) / 2, (in.left + in.right) / 2};
    case SoundView::WithoutCentre:
        // The side signal at its own level: a part recorded on one side only keeps its level.
        return {in.left - in.right, in.left - in.right};
    case SoundView::BassOnly:
        return m_low;
    case SoundView::WithoutBass:
        return m_high;
    }
    return in;
}

void SoundViewFilter::process(const float* in, float* out, std::size_t frames)
{
    if (m_fadeDone == m_fadeFrames && m_wanted == m_shown && m_shown == SoundView::BothChannels) {
        if (in != out)
            std::copy_n(in, frames * 2, out);
        return;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        if (m_fadeDone == m_fadeFrames && m_wanted != m_shown)
            startFade();
        const Frame frame{in[i * 2], in[i * 2 + 1]};
        if (m_crossoverRuns) {
            m_low = {through(m_lowPass, frame.left, 0), through(m_lowPass, frame.right, 1)};
            m_high = {through(m_highPass, frame.left, 0), through(m_highPass, frame.right, 1)};
        }
        Frame heard = viewed(m_shown, frame);
        if (m_fadeDone < m_fadeFrames) {
            // Smooth at both ends, so that the fade's own start and end make no click either.
            const float t = (static_cast<float>(m_fadeDone) + 0.5f) / static_cast<float>(m_fadeFrames);
            const float weight = t * t * (3 - 2 * t);
            const Frame before = viewed(m_fadingFrom, frame);
            heard = {before.left + weight * (heard.left - before.left),
                     before.right + weight * (heard.right - before.right)};
            if (++m_fadeDone == m_fadeFrames)
                m_crossoverRuns = usesCrossover(m_shown);
        }
        out[i * 2] = heard.left;
        out[i * 2 + 1] = heard.right;
    }
    for (Half* half : {&m_lowPass, &m_highPass})
        for (Section& section : *half)
            section.settle();
}
