#pragma once

#include <QObject>

class MoviePlayer;
class QLabel;
class QSlider;

// The rate column: sldSpeed holds speed and pitch together in percent of normal (10..190). The
// slider is disabled so that the rate changes only through the commands; each change goes to the
// player as a factor and to lblRate.
class RateControl : public QObject
{
    Q_OBJECT

public:
    // Puts the slider and its label into their start state without telling the player, then
    // follows the slider's changes.
    RateControl(QSlider& sldSpeed, QLabel& lblRate, MoviePlayer& player, QObject* parent = nullptr);

public slots:
    void cmdRate10Up();
    void cmdRate1Up();
    void cmdRateReset();
    void cmdRate1Down();
    void cmdRate10Down();

private slots:
    void sldSpeed_Change(int value);

private:
    QSlider& m_sldSpeed;
    QLabel& m_lblRate;
    MoviePlayer& m_player;
};
