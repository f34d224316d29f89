#pragma once

#include <QRect>
#include <QString>

#include <vector>

// What each player plays of the flash-and-beep clip (MovieMaker's flashEverySecond) while the
// benchmark compares what shows on the screen with what the sound server plays. Every start and
// seek lands half a second or less before a whole second, on a black frame: the first flash then
// comes from playback, not from the frame shown on opening or seeking.
struct AvSyncPhase
{
    const char* key;
    const char* sound; // a SoundSettings key
    double startAt;
    // The loop sliders in whole seconds (wrapping half a second before loopEnd); 0 for no loop.
    int loopBegin = 0;
    int loopEnd = 0;
    // Seeks after the start, each after playing for playMs.
    std::vector<double> seeks;
    int playMs = 0;
};

// At tempo -30 the loop of 2.5 s of movie takes 3.6 s: three wraps, and the first flash after the
// third.
inline const AvSyncPhase avSyncPhases[] = {
    {"plain", "normal", 0.5, 0, 0, {}, 6000},
    {"loop_tempo_m30", "tempo_m30", 9.6, 10, 13, {}, 13500},
    {"seeks", "normal", 4.6, 0, 0, {19.6, 11.6, 29.6}, 1500},
};

inline const AvSyncPhase* avSyncPhase(const QString& key)
{
    for (const AvSyncPhase& phase : avSyncPhases)
        if (key == QLatin1String(phase.key))
            return &phase;
    return nullptr;
}

// Both players' windows take the clip's own size at the screen's top left corner (the benchmark's
// X server has no window manager to move them); the watch looks at the picture's middle.
constexpr QRect avSyncWindow{0, 0, 320, 240};
constexpr QRect avSyncWatchedRegion{avSyncWindow.center().x() - 8, avSyncWindow.center().y() - 8, 16, 16};
