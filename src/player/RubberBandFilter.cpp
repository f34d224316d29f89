#include "player/RubberBandFilter.h"

namespace RubberBandFilter {

namespace {

// Chosen by measurement on this machine's class of hardware: see README, Decisions.
constexpr const char* engineOptions = "engine=finer:formant=shifted";

} // namespace

QString entry(double pitchScale)
{
    return QStringLiteral("@%1:rubberband=%2:pitch-scale=%3")
        .arg(QLatin1String(label), QLatin1String(engineOptions), QString::number(pitchScale, 'g', 17));
}

} // namespace RubberBandFilter
