#include "sound/VolumeControl.h"

#include "player/MoviePlayer.h"

namespace {
constexpr int silence = -10000;
constexpr int fullLevel = 0;
} // namespace

void VolumeControl::step(int hundredthsOfDecibel)
{
    const qint64 level = static_cast<qint64>(m_player.Volume()) + hundredthsOfDecibel;
    if (level < silence || level > fullLevel)
        return;
    m_player.setVolume(static_cast<int>(level));
}
