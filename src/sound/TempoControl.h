#pragma once

#include <QObject>

class MoviePlayer;
class QLabel;
class QSlider;

// The tempo column's reaction: sldTempo holds the change in percent from the movie's own tempo
// (-80..80). Every change of the slider, whoever makes it, goes to the player and to lblTempo.
class TempoControl : public QObject
{
    Q_OBJECT

public:
    // Follows the slider's changes from now on; the slider's start state tells the player nothing.
    TempoControl(QSlider& sldTempo, QLabel& lblTempo, MoviePlayer& player, QObject* parent = nullptr);

private slots:
    void sldTempo_Change(int value);

private:
    QLabel& m_lblTempo;
    MoviePlayer& m_player;
};
