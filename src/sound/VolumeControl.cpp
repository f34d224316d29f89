#include "sound/VolumeControl.h"

#include "player/MoviePlayer.h"

namespace {

constexpr int gainStep = 500;
constexpr int silence = -10000;
constexpr int fullLevel = 0;

} // namespace

VolumeControl::VolumeControl(MoviePlayer& player, QObject* parent) : QObject(parent), m_player(player) {}

void VolumeControl::cmdGainUp()
{
    stepVolume(gainStep);
}

void VolumeControl::cmdGainDown()
{
    stepVolume(-gainStep);
}

// A step that would leave the range is refused, not clipped to the bound.
void VolumeControl::stepVolume(int hundredthsOfDecibel)
{
    const qint64 level = static_cast<qint64>(m_player.Volume()) + hundredthsOfDecibel;
    if (level < silence || level > fullLevel)
        return;
    m_player.setVolume(static_cast<int>(level));
}
