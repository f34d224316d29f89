#include "sound/SoundControls.h"

#include "sound/PitchControls.h"
#include "sound/RateControl.h"
#include "sound/TempoControl.h"

#include <QSlider>

SoundControls::SoundControls(const SoundSliders& sliders, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_sliders(sliders), m_volume(player)
{
    new TempoControl(*sliders.sldTempo, *sliders.lblTempo, player, this);
    new PitchControls(*sliders.sldPitchSemi, *sliders.lblPitchSemi, *sliders.sldPitchGrad,
                      *sliders.lblPitchGrade, player, this);
    new RateControl(*sliders.sldSpeed, *sliders.lblRate, player, this);
}

void SoundControls::ResetAll()
{
    m_sliders.sldTempo->setValue(0);
    m_sliders.sldPitchSemi->setValue(0);
    m_sliders.sldPitchGrad->setValue(0);
    m_sliders.sldSpeed->setValue(100);
}

void SoundControls::PitchReset()
{
    m_sliders.sldPitchSemi->setValue(0);
    m_sliders.sldPitchGrad->setValue(0);
}
