#include "common/TimeText.h"

#include <cmath>

QString TimeText(double seconds)
{
    if (!(seconds > 0) || !std::isfinite(seconds))
        seconds = 0;
    // Every field is truncated, so 59.996 stays 59:99. A time such as 19.4 is a hair below its
    // decimal value in binary (19.39999...); the millionth of a hundredth added here keeps it
    // at 19:40 without rounding anything a user could see.
    const auto hundredths = static_cast<long long>(std::floor(seconds * 100.0 + 1e-6));
    const long long totalSeconds = hundredths / 100;
    return QStringLiteral("%1:%2:%3:%4")
        .arg(totalSeconds / 3600)
        .arg((totalSeconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(totalSeconds % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}
