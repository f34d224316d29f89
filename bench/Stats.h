#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// The largest distance from 0 among the measurements; NaN when there are none.
inline double largestMagnitude(const std::vector<double>& values)
{
    if (values.empty())
        return std::nan("");
    double largest = 0;
    for (const double value : values)
        largest = std::max(largest, std::abs(value));
    return largest;
}

// Median of the measurements; NaN when there are none, so a failed measurement shows as such.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The value below which `fraction` (0..1) of the measurements lie, between neighbours linearly; NaN
// when there are none.
inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const double place = fraction * static_cast<double>(values.size() - 1);
    const auto below = static_cast<size_t>(place);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (place - static_cast<double>(below)) * (values[above] - values[below]);
}
