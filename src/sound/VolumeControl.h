#pragma once

class MoviePlayer;

// The volume, which is no slider: the player's own level in hundredths of a decibel, read at each
// step and kept within silence (-10000) and full (0).
class VolumeControl
{
public:
    explicit VolumeControl(MoviePlayer& player) : m_player(player) {}

    // A step that would leave the range is refused, not clipped to the bound.
    void step(int hundredthsOfDecibel);

private:
    MoviePlayer& m_player;
};
