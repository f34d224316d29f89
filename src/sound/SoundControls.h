#pragma once

#include "sound/SoundSliders.h"
#include "sound/VolumeControl.h"

#include <QObject>

class MoviePlayer;

// The sound panel: the sliders' change reactions (one owner per column), the volume, and the
// resets that set several sliders in one go. Tempo, pitch and rate live only in the slider
// values; the step commands move the sliders directly.
class SoundControls : public QObject
{
    Q_OBJECT

public:
    // The sliders and labels must all be given, already in their start state: from now on their
    // changes reach the player.
    SoundControls(const SoundSliders& sliders, MoviePlayer& player, QObject* parent = nullptr);

    VolumeControl& volume() { return m_volume; }

public slots:
    // Tempo, semitones, fine pitch, then rate; a slider already at its reset value is not
    // notified, so neither the player nor its label hears of it.
    void ResetAll();
    // Both pitch sliders to 0, semitones first.
    void PitchReset();

private:
    SoundSliders m_sliders;
    VolumeControl m_volume;
};
