#pragma once

#include "playback/TimeControls.h"

#include <QObject>
#include <QString>

class Desktop;
class MoviePlayer;
class QWidget;
struct PlaybackState;

// The commands that open a movie and move its playback: Open, Play, Play Loop, Pause, Stop and
// the two 5-second skips. Every route to one of them (toolbar, transport row, menu, hot key)
// calls these and adds nothing.
class TransportCommands : public QObject
{
    Q_OBJECT

public:
    TransportCommands(MoviePlayer& player, PlaybackState& state, const TimeControls& controls,
                      Desktop& desktop, QWidget* dialogParent, QObject* parent = nullptr);

    // The filter list of the open dialog, as "description|patterns" pairs.
    static QString movieFilter();

    // What opening does when the player cannot open the path.
    enum class AfterFailure
    {
        PlayAnyway, // the Open command gives the player full level and Play either way
        Stop,       // a movie named on the command line leaves everything as it was
    };
    // Hands the path to the player, which returns once the movie is loaded or has failed; a
    // loaded movie gets its length on the time sliders, the whole movie as loop window, full
    // level, and plays. Open and the command line both open through here.
    void openMovie(const QString& path, AfterFailure afterFailure);

    void Open();
    void Play();
    void PlayLoop();
    // A toggle: resumes after a Pause, halts otherwise.
    void Pause();
    // Halts and returns to the beginning of the loop window.
    void Stop();
    void Rewind();
    void FForward();

signals:
    // Play, Stop or an opened movie took playback out of the loop it may have been playing.
    void loopLeft();

private:
    void playIn(bool loopMode);
    void fitTimeSlidersToMovie(double duration);

    MoviePlayer& m_player;
    PlaybackState& m_state;
    TimeControls m_controls;
    Desktop& m_desktop;
    QWidget* m_dialogParent;
};
