#pragma once

#include <cmath>
#include <limits>

// Nearest whole number, halves going to the even neighbour (125.5 -> 126, 124.5 -> 124).
// The program rounds durations, positions and fine pitch this way. Values beyond the range of
// int are clamped so that a corrupt duration cannot overflow a slider.
inline int roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default rounding mode: to nearest, ties to even
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}
