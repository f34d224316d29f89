#include "playback/PlayerLoopWindow.h"

#include "playback/PlaybackState.h"
#include "player/MoviePlayer.h"

#include <QSlider>

PlayerLoopWindow::PlayerLoopWindow(MoviePlayer& player, const PlaybackState& state,
                                   const TimeControls& controls, QObject* parent)
    : QObject(parent), m_player(player), m_state(state), m_controls(controls)
{
    connect(&m_player, &MoviePlayer::PositionChange, this, &PlayerLoopWindow::player_PositionChange);
}

void PlayerLoopWindow::player_PositionChange()
{
    const Window window = wanted();
    if (window == m_handedOver)
        return;
    m_handedOver = window;
    m_player.SetLoopWindow(window.from, window.to);
}

PlayerLoopWindow::Window PlayerLoopWindow::wanted() const
{
    if (!m_state.LoopPlay)
        return {};
    const double from = m_controls.sldBegin->value();
    const double to = m_controls.sldEnd->value() - 0.5;
    // A window the player cannot take: reversed, or ending where the movie has already ended
    // (there the rounded position never reaches the end, so playback stops at the movie's end).
    if (from >= to || to >= m_player.Duration())
        return {};
    return {from, to};
}
