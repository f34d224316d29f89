#include "sound/RateControl.h"

#include "player/MoviePlayer.h"

#include <QLabel>
#include <QSlider>

RateControl::RateControl(QSlider& sldSpeed, QLabel& lblRate, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_lblRate(lblRate), m_player(player)
{
    connect(&sldSpeed, &QSlider::valueChanged, this, &RateControl::sldSpeed_Change);
}

void RateControl::sldSpeed_Change(int value)
{
    m_player.setRate(value / 100.0);
    m_lblRate.setText(QStringLiteral("%1%").arg(value));
}
