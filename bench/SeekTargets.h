#pragma once

#include <random>
#include <vector>

// The same 20 seek targets for our player and for mpv: spread over the movie, away from its
// first and last five seconds, from a fixed seed so that every run seeks to the same places.
inline std::vector<double> seekTargets(double duration)
{
    std::mt19937 generator(20261206);
    std::uniform_real_distribution<double> place(5.0, duration - 5.0);
    std::vector<double> targets(20);
    for (double& target : targets)
        target = place(generator);
    return targets;
}
