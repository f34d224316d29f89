#include "playback/PositionTracker.h"

#include "common/Rounding.h"
#include "common/TimeText.h"
#include "playback/PlaybackState.h"
#include "player/MoviePlayer.h"

#include <QLabel>
#include <QSlider>

PositionTracker::PositionTracker(MoviePlayer& player, PlaybackState& state,
                                 const TimeControls& controls, QObject* parent)
    : QObject(parent), m_player(player), m_state(state), m_controls(controls)
{
    connect(&m_player, &MoviePlayer::PositionChange, this, &PositionTracker::player_PositionChange);
    connect(m_controls.sldPosition, &QSlider::sliderPressed, this, &PositionTracker::sldPosition_DragStarted);
    connect(m_controls.sldPosition, &QSlider::sliderReleased, this, &PositionTracker::sldPosition_DragEnded);
}

void PositionTracker::player_PositionChange(double position)
{
    m_controls.lblPreviewTime->setText(TimeText(position));
    if (m_controls.sldPosition->isSliderDown())
        return;
    m_controls.sldPosition->setValue(roundHalfEven(position));
    if (m_state.LoopPlay && m_controls.sldPosition->value() >= m_controls.sldEnd->value())
        m_player.Seek(static_cast<double>(m_controls.sldBegin->value()));
}

void PositionTracker::sldPosition_DragStarted()
{
    m_player.Pause();
}

// Only a drop strictly inside the loop window seeks; anywhere else the thumb goes back to where
// playback stands. Either way playback resumes, whatever it was doing before the drag, and the
// state says so: the next Pause halts, and the desktop shows the movie playing.
void PositionTracker::sldPosition_DragEnded()
{
    const int end = m_controls.sldEnd->value();
    const int dropped = m_controls.sldPosition->value();
    const int begin = m_controls.sldBegin->value();
    if (begin < dropped && dropped < end)
        m_player.Seek(static_cast<double>(dropped));
    else
        m_controls.sldPosition->setValue(roundHalfEven(m_player.Position()));
    m_player.Play();
    m_state.Paused = false;
    m_state.Playing = true;
}
