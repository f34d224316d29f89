#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// Median of the measurements; NaN when there are none, so a failed measurement shows as such.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
