#include "sound/PitchControls.h"

#include "player/MoviePlayer.h"

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
    connect(&m_sldPitchSemi, &QSlider::valueChanged, this, &PitchControls::sldPitchSemi_Change);
    connect(&m_sldPitchGrad, &QSlider::valueChanged, this, &PitchControls::sldPitchGrad_Change);
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
