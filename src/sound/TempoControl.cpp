#include "sound/TempoControl.h"

#include "player/MoviePlayer.h"
#include "sound/SliderStep.h"

#include <QLabel>
#include <QSlider>

TempoControl::TempoControl(QSlider& sldTempo, QLabel& lblTempo, MoviePlayer& player, QObject* parent)
    : QObject(parent), m_sldTempo(sldTempo), m_lblTempo(lblTempo), m_player(player)
{
    m_sldTempo.setRange(-80, 80);
    m_sldTempo.setValue(0);
    m_lblTempo.setText(QStringLiteral("100%"));
    connect(&m_sldTempo, &QSlider::valueChanged, this, &TempoControl::sldTempo_Change);
}

void TempoControl::cmdTempo10Up()
{
    stepSliderWithinRange(m_sldTempo, 10);
}

void TempoControl::cmdTempo1Up()
{
    stepSliderWithinRange(m_sldTempo, 1);
}

void TempoControl::cmdTempoReset()
{
    m_sldTempo.setValue(0);
}

void TempoControl::cmdTempo1Down()
{
    stepSliderWithinRange(m_sldTempo, -1);
}

void TempoControl::cmdTempo10Down()
{
    stepSliderWithinRange(m_sldTempo, -10);
}

void TempoControl::htkTempoReset()
{
    m_sldTempo.setValue(0);
}

void TempoControl::sldTempo_Change(int value)
{
    m_player.SetTempo(static_cast<qint16>(value));
    m_lblTempo.setText(QStringLiteral("%1%").arg(value + 100));
}
