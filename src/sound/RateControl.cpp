#include "sound/RateControl.h"

#include "player/MoviePlayer.h"
#include "sound/SliderStep.h"

#include <QLabel>
#include <QSlider>

RateControl::RateControl(QSlider& sldSpeed, QLabel& lblRate, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_sldSpeed(sldSpeed), m_lblRate(lblRate), m_player(player)
{
    m_sldSpeed.setRange(10, 190);
    m_sldSpeed.setValue(100);
    m_sldSpeed.setEnabled(false);
    m_sldSpeed.setToolTip(QStringLiteral("Use buttons to change tempo-pitch"));
    m_lblRate.setText(QStringLiteral("100%"));
    connect(&m_sldSpeed, &QSlider::valueChanged, this, &RateControl::sldSpeed_Change);
}

void RateControl::cmdRate10Up()
{
    stepSliderWithinRange(m_sldSpeed, 10);
}

void RateControl::cmdRate1Up()
{
    stepSliderWithinRange(m_sldSpeed, 1);
}

void RateControl::cmdRateReset()
{
    m_sldSpeed.setValue(100);
}

void RateControl::cmdRate1Down()
{
    stepSliderWithinRange(m_sldSpeed, -1);
}

void RateControl::cmdRate10Down()
{
    stepSliderWithinRange(m_sldSpeed, -10);
}

void RateControl::sldSpeed_Change(int value)
{
    m_player.setRate(value / 100.0);
    m_lblRate.setText(QStringLiteral("%1%").arg(value));
}
