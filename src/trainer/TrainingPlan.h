#pragma once

#include <algorithm>

class SettingsStore;

// How a training raises the tempo, in percent of the movie's own speed: it starts at one tempo
// and rises by a step every so many passes of the loop, up to a tempo it then keeps. Each pass
// may be followed by a pause.
struct TrainingPlan
{
    int startPercent = 70;
    int stepPercent = 5;
    int everyPasses = 2;
    int upToPercent = 100;
    double pauseSeconds = 0;

    // The tempo of a pass, the first pass being 1.
    int tempoOfPass(int pass) const
    {
        return std::min(upToPercent, startPercent + stepPercent * ((pass - 1) / everyPasses));
    }

    // The plan last used, or the defaults; values out of range are brought within it.
    static TrainingPlan load(const SettingsStore& settings);
    void save(SettingsStore& settings) const;
};
