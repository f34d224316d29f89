#include "sound/PitchControls.h"

#include "common/Rounding.h"
#include "player/MoviePlayer.h"
#include "sound/SliderStep.h"

#include <QLabel>
#include <QSlider>

namespace {

constexpr int gradsPerSemitone = 50;

// The fine value in semitones to the hundredth: 1 -> "0.02", -75 -> "-1.50", 600 -> "12.00".
QString fineSemitonesText(int grads)
{
    return QString::number(static_cast<double>(grads) / gradsPerSemitone, 'f', 2);
}

} // namespace

PitchControls::PitchControls(QSlider& sldPitchSemi, QLabel& lblPitchSemi, QSlider& sldPitchGrad,
                             QLabel& lblPitchGrade, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_sldPitchSemi(sldPitchSemi), m_lblPitchSemi(lblPitchSemi),
      m_sldPitchGrad(sldPitchGrad), m_lblPitchGrade(lblPitchGrade), m_player(player)
{
    m_sldPitchSemi.setRange(-12, 12);
    m_sldPitchSemi.setValue(0);
    m_lblPitchSemi.setText(QStringLiteral("0"));
    m_sldPitchGrad.setRange(-600, 600);
    m_sldPitchGrad.setValue(0);
    // Until the first change the fine label reads "0", not "0.00".
    m_lblPitchGrade.setText(QStringLiteral("0"));
    connect(&m_sldPitchSemi, &QSlider::valueChanged, this, &PitchControls::sldPitchSemi_Change);
    connect(&m_sldPitchGrad, &QSlider::valueChanged, this, &PitchControls::sldPitchGrad_Change);
}

void PitchControls::cmdPitch12UpSemi()
{
    stepSliderWithinRange(m_sldPitchSemi, 12);
}

void PitchControls::cmdPitch1UpSemi()
{
    stepSliderWithinRange(m_sldPitchSemi, 1);
}

void PitchControls::cmdPitchResetSemi()
{
    m_sldPitchSemi.setValue(0);
}

void PitchControls::cmdPitch1DownSemi()
{
    stepSliderWithinRange(m_sldPitchSemi, -1);
}

void PitchControls::cmdPitch12DownSemi()
{
    stepSliderWithinRange(m_sldPitchSemi, -12);
}

void PitchControls::cmdPitch10UpGrad()
{
    stepSliderWithinRange(m_sldPitchGrad, gradsPerSemitone);
}

void PitchControls::cmdPitch1UpGrad()
{
    stepSliderWithinRange(m_sldPitchGrad, 1);
}

void PitchControls::cmdPitchResetGrad()
{
    m_sldPitchGrad.setValue(0);
}

void PitchControls::cmdPitch1DownGrad()
{
    stepSliderWithinRange(m_sldPitchGrad, -1);
}

void PitchControls::cmdPitch10DownGrad()
{
    stepSliderWithinRange(m_sldPitchGrad, -gradsPerSemitone);
}

void PitchControls::htkPitchReset()
{
    m_sldPitchSemi.setValue(0);
    m_sldPitchGrad.setValue(0);
}

// Both reactions read their slider again after resetting the other one: the nested reactions may
// have moved it back to 0 in the meantime, and the notified value would then be stale.
void PitchControls::sldPitchSemi_Change()
{
    m_sldPitchGrad.setValue(0);
    m_player.SetPitch(m_sldPitchSemi.value());
    m_lblPitchSemi.setText(QString::number(m_sldPitchSemi.value()));
}

void PitchControls::sldPitchGrad_Change()
{
    m_sldPitchSemi.setValue(0);
    m_player.SetPitch(static_cast<double>(m_sldPitchGrad.value()) / gradsPerSemitone);
    m_lblPitchGrade.setText(fineSemitonesText(m_sldPitchGrad.value()));
}
