#pragma once

#include "playback/PlaybackState.h"
#include "playback/PlayerLoopWindow.h"
#include "playback/PositionTracker.h"

#include <QLabel>
#include <QSlider>

class MoviePlayer;

// The program's loop mode around a player, as the main window has it: the time sliders with the
// loop window begin..end (whole seconds), the position tracker that wraps where the rounded
// position reaches the end, and the player loop window that lets the player wrap there itself.
class ProgramLoop
{
public:
    ProgramLoop(MoviePlayer& player, int begin, int end);

private:
    QSlider m_position, m_begin, m_end;
    QLabel m_time;
    PlaybackState m_state;
    PositionTracker m_tracker;
    PlayerLoopWindow m_playerLoop;
};
