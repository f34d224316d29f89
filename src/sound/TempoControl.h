#pragma once

#include <QObject>

class MoviePlayer;
class QLabel;
class QSlider;

// The tempo column: sldTempo holds the change in percent from the movie's own tempo (-80..80).
// Every change of the slider, whoever makes it, goes to the player and to lblTempo; the commands
// only move the slider.
class TempoControl : public QObject
{
    Q_OBJECT

public:
    // Puts the slider and its label into their start state without telling the player, then
    // follows the slider's changes.
    TempoControl(QSlider& sldTempo, QLabel& lblTempo, MoviePlayer& player, QObject* parent = nullptr);

public slots:
    void cmdTempo10Up();
    void cmdTempo1Up();
    void cmdTempoReset();
    void cmdTempo1Down();
    void cmdTempo10Down();
    // The hot key repeats the reset instead of calling the button's command; same effect.
    void htkTempoReset();

private slots:
    void sldTempo_Change(int value);

private:
    QSlider& m_sldTempo;
    QLabel& m_lblTempo;
    MoviePlayer& m_player;
};
