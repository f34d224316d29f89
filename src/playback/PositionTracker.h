#pragma once

#include "playback/TimeControls.h"

#include <QObject>

class MoviePlayer;
struct PlaybackState;

// Follows playback on the time controls and lets the user seek with sldPosition. The player's
// position reports are the program's only tick: each one writes lblPreviewTime, moves
// sldPosition and, in loop mode, wraps from the end of the loop window to its beginning.
//
// While the user holds the thumb of sldPosition, reports still write the time label but leave
// the slider alone and do not wrap. A report that arrives during the drag (one already queued
// when Pause was called, or one from a player that keeps reporting while paused) would otherwise
// snatch the thumb from under the mouse, and in loop mode could even seek because of where the
// user happens to hold the thumb. The end of the drag decides where playback goes.
class PositionTracker : public QObject
{
    Q_OBJECT

public:
    // The state and the controls must outlive the tracker.
    PositionTracker(MoviePlayer& player, PlaybackState& state, const TimeControls& controls,
                    QObject* parent = nullptr);

private slots:
    void player_PositionChange(double position);
    void sldPosition_DragStarted();
    void sldPosition_DragEnded();

private:
    MoviePlayer& m_player;
    PlaybackState& m_state;
    TimeControls m_controls;
};
