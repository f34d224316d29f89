#include "ProgramLoop.h"

#include "player/MoviePlayer.h"

namespace {
PlaybackState loopPlaying()
{
    PlaybackState state;
    state.LoopPlay = true;
    return state;
}
} // namespace

ProgramLoop::ProgramLoop(MoviePlayer& player, int begin, int end)
    : m_state(loopPlaying()), m_tracker(player, m_state, {&m_position, &m_begin, &m_end, &m_time}),
      m_playerLoop(player, m_state, {&m_position, &m_begin, &m_end, &m_time})
{
    for (QSlider* slider : {&m_position, &m_begin, &m_end})
        slider->setRange(0, static_cast<int>(player.Duration()));
    m_begin.setValue(begin);
    m_end.setValue(end);
}
