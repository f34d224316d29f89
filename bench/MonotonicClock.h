#pragma once

#include <chrono>

// Milliseconds on the system's monotonic clock (CLOCK_MONOTONIC on Linux), which every process on
// the machine reads alike: a worker's times and the benchmark's own can be compared directly.
inline double monotonicMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
