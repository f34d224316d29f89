#include "sound/SoundControls.h"

#include "sound/PitchControls.h"
#include "sound/RateControl.h"
#include "sound/TempoControl.h"
#include "sound/VolumeControl.h"

#include <QSlider>

SoundControls::SoundControls(const SoundSliders& sliders, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_sliders(sliders),
      m_tempo(new TempoControl(*sliders.sldTempo, *sliders.lblTempo, player, this)),
      m_pitch(new PitchControls(*sliders.sldPitchSemi, *sliders.lblPitchSemi, *sliders.sldPitchGrad,
                                *sliders.lblPitchGrade, player, this)),
      m_rate(new RateControl(*sliders.sldSpeed, *sliders.lblRate, player, this)),
      m_volume(new VolumeControl(player, this))
{}

void SoundControls::cmdResetAll()
{
    m_sliders.sldTempo->setValue(0);
    m_sliders.sldPitchSemi->setValue(0);
    m_sliders.sldPitchGrad->setValue(0);
    m_sliders.sldSpeed->setValue(100);
}
