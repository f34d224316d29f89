#pragma once

#include "playback/TimeControls.h"

#include <QObject>

class MoviePlayer;
struct PlaybackState;

// Keeps the player's own loop window on the loop window of the time sliders while the program
// plays in loop mode, so that the player wraps by itself, with less silence than a seek. The
// wrap comes where the position tracker would make it: when the position, rounded to whole
// seconds, reaches sldEnd, that is half a second before it. The tracker's own seek stays for
// what the player leaves to it (a loop window it cannot take, playback already past the end).
//
// Checked at each position report, the program's tick: the loop mode has no signal of its own,
// and a change matters only while the movie plays.
class PlayerLoopWindow : public QObject
{
    Q_OBJECT

public:
    // The state and the controls must outlive this.
    PlayerLoopWindow(MoviePlayer& player, const PlaybackState& state, const TimeControls& controls,
                     QObject* parent = nullptr);

private:
    void player_PositionChange();

    struct Window
    {
        double from = 0;
        double to = 0;
        bool operator==(const Window&) const = default;
    };
    Window wanted() const;

    MoviePlayer& m_player;
    const PlaybackState& m_state;
    TimeControls m_controls;
    Window m_handedOver;
};
