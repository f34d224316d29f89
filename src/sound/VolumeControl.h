#pragma once

#include <QObject>

class MoviePlayer;

// The two gain buttons. Volume is not a slider: it is the player's own level in hundredths of a
// decibel, read at each command and moved in 5 dB steps within silence (-10000) and full (0).
class VolumeControl : public QObject
{
    Q_OBJECT

public:
    explicit VolumeControl(MoviePlayer& player, QObject* parent = nullptr);

public slots:
    void cmdGainUp();
    void cmdGainDown();

private:
    void stepVolume(int hundredthsOfDecibel);

    MoviePlayer& m_player;
};
