#pragma once

#include <QObject>

class MoviePlayer;
class QLabel;
class QSlider;

// The rate column's reaction: sldSpeed holds speed and pitch together in percent of normal
// (10..190). Each change goes to the player as a factor and to lblRate.
class RateControl : public QObject
{
    Q_OBJECT

public:
    // Follows the slider's changes from now on; the slider's start state tells the player nothing.
    RateControl(QSlider& sldSpeed, QLabel& lblRate, MoviePlayer& player, QObject* parent = nullptr);

private slots:
    void sldSpeed_Change(int value);

private:
    QLabel& m_lblRate;
    MoviePlayer& m_player;
};
