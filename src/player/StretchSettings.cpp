#include "player/StretchSettings.h"

#include <algorithm>
#include <cmath>

namespace {

double withinEngineLimits(double factor)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return StretchSettings::minimumFactor;
    return std::clamp(factor, StretchSettings::minimumFactor, StretchSettings::maximumFactor);
}

} // namespace

void StretchSettings::setRate(double factor)
{
    if (factor > 0 && std::isfinite(factor))
        m_rate = factor;
}

double StretchSettings::speed() const
{
    return withinEngineLimits((1.0 + m_tempoPercent / 100.0) * m_rate);
}

double StretchSettings::pitchScale() const
{
    return withinEngineLimits(m_rate * std::exp2(m_pitchSemitones / 12.0));
}

bool StretchSettings::isNeutral() const
{
    return m_tempoPercent == 0 && m_pitchSemitones == 0 && m_rate == 1.0;
}
