#pragma once

#include "RubberBandFilter.h"
#include "player/StretchSettings.h"

#include <QStringList>

#include <cstring>

// One setting of tempo, pitch and rate the benchmark plays at, for our worker and for mpv's
// command-line player alike.
struct SoundSettings
{
    const char* key;
    int tempo;
    int pitch;
    double rate;

    StretchSettings stretch() const
    {
        StretchSettings settings;
        settings.setTempo(tempo);
        settings.setPitch(pitch);
        settings.setRate(rate);
        return settings;
    }

    QStringList workerOptions() const
    {
        return {"--tempo", QString::number(tempo), "--pitch", QString::number(pitch),
                "--rate",  QString::number(rate)};
    }

    // The same speed and stretcher on mpv's command line; at neutral settings mpv plays without
    // any audio filter, which is what our player must match there.
    QStringList mpvOptions() const
    {
        const StretchSettings settings = stretch();
        if (settings.isNeutral())
            return {};
        return {"--speed=" + QString::number(settings.speed(), 'g', 17),
                "--af=" + RubberBandFilter::entry(settings.pitchScale())};
    }
};

inline const SoundSettings soundSettings[] = {{"normal", 0, 0, 1.0},
                                              {"tempo_m30", -30, 0, 1.0},
                                              {"tempo_m30_pitch_p3", -30, 3, 1.0},
                                              {"rate_0_7", 0, 0, 0.7}};

// The settings of that key; normal for an unknown key.
inline const SoundSettings& settingsNamed(const char* key)
{
    for (const SoundSettings& settings : soundSettings)
        if (std::strcmp(settings.key, key) == 0)
            return settings;
    return soundSettings[0];
}
