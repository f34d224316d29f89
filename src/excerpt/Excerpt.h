#pragma once

#include <QString>

// A practice set-up as an excerpt file holds it: the movie, the loop mode, the three time
// sliders (maximum and value, whole seconds) and the four sound sliders.
struct Excerpt
{
    QString moviePath;
    bool loopPlay = false;
    int positionMaximum = 0;
    int position = 0;
    int beginMaximum = 0;
    int begin = 0;
    int endMaximum = 0;
    int end = 0;
    int tempo = 0;
    int pitchSemi = 0;
    int pitchGrad = 0;
    int speed = 0;

    bool operator==(const Excerpt&) const = default;
};
