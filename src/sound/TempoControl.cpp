#include "sound/TempoControl.h"

#include "player/MoviePlayer.h"

#include <QLabel>
#include <QSlider>

TempoControl::TempoControl(QSlider& sldTempo, QLabel& lblTempo, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_lblTempo(lblTempo), m_player(player)
{
    connect(&sldTempo, &QSlider::valueChanged, this, &TempoControl::sldTempo_Change);
}

void TempoControl::sldTempo_Change(int value)
{
    m_player.SetTempo(static_cast<qint16>(value));
    m_lblTempo.setText(QStringLiteral("%1%").arg(value + 100));
}
