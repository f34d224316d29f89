#pragma once

#include "sound/SoundSliders.h"

#include <QObject>

class MoviePlayer;
class PitchControls;
class RateControl;
class TempoControl;
class VolumeControl;

// The whole sound panel: one owner per column, the volume buttons, and Reset all, the one command
// that spans every column. Tempo, pitch and rate live only in the slider values.
class SoundControls : public QObject
{
    Q_OBJECT

public:
    // The sliders and labels must all be given; they are put into their start state without
    // telling the player.
    SoundControls(const SoundSliders& sliders, MoviePlayer& player, QObject* parent = nullptr);

    TempoControl& tempo() const { return *m_tempo; }
    PitchControls& pitch() const { return *m_pitch; }
    RateControl& rate() const { return *m_rate; }
    VolumeControl& volume() const { return *m_volume; }

public slots:
    // Tempo, semitones, fine pitch, then rate; a slider already at its reset value is not
    // notified, so neither the player nor its label hears of it.
    void cmdResetAll();

private:
    SoundSliders m_sliders;
    TempoControl* m_tempo;
    PitchControls* m_pitch;
    RateControl* m_rate;
    VolumeControl* m_volume;
};
