#include "common/TimeText.h"

#include <cmath>

QString TimeText(double seconds)
{
    if (!(seconds > 0) || !std::isfinite(seconds))
        seconds = 0;
    const double whole = std::floor(seconds);
    const auto totalSeconds = static_cast<long long>(whole);
    // The hundredths are taken from the fraction alone so that 59.996 stays 59:99 instead of
    // rounding up into the next second.
    const auto hundredths = static_cast<int>(std::floor((seconds - whole) * 100.0));
    return QStringLiteral("%1:%2:%3:%4")
        .arg(totalSeconds / 3600)
        .arg((totalSeconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(totalSeconds % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths, 2, 10, QLatin1Char('0'));
}
