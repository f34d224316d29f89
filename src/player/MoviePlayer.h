#pragma once

#include "player/SoundView.h"

#include <QObject>
#include <QString>

// The movie player the rest of the program drives: opens a movie, shows and plays it, changes
// tempo and pitch independently and writes still frames. Everything else reaches playback only
// through these operations. Times are seconds.
class MoviePlayer : public QObject
{
    Q_OBJECT

public:
    // Image format codes of SaveSnapshot.
    enum ImageFormat : qint16
    {
        Bmp = 0,
        Jpg = 1,
        Png = 2,
        Tif = 3,
        Gif = 4
    };

    using QObject::QObject;

    // Writing opens that movie and returns once it is loaded or has failed; reading gives the
    // path of the open movie.
    virtual QString FileName() const = 0;
    virtual void setFileName(const QString& path) = 0;
    // Written right before every FileName write of Open and of the command line.
    virtual void setActive(bool active) = 0;
    // Length of the open movie; above 0 means a movie is open.
    virtual double Duration() const = 0;
    virtual double Position() const = 0;

    // Moves playback to a time without starting or halting it.
    virtual void Seek(double seconds) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Playback that reaches `to` from before it goes on at `from` by itself, with a shorter break
    // in the sound than a Seek makes; playback past `to` (a seek there) runs on. `from` >= `to`
    // ends the wrapping. The program's loop window stays what decides: this only saves the seek
    // at each wrap. Holds for every movie opened after it.
    virtual void SetLoopWindow(double from, double to) = 0;

    // Attenuation in hundredths of a decibel: 0 full level, -10000 silence.
    virtual int Volume() const = 0;
    virtual void setVolume(int hundredthsOfDecibel) = 0;
    // Speed and pitch together, 1.0 normal.
    virtual void setRate(double factor) = 0;
    // Speed change in percent, pitch kept.
    virtual void SetTempo(qint16 percent) = 0;
    // Pitch shift in semitones, speed kept. Fractions of a semitone shift by that much (0.02 is
    // 2 cents), so that a film recorded off concert pitch can be tuned to an instrument.
    virtual void SetPitch(double semitones) = 0;
    // For a speed trainer, which raises the tempo every few passes of a loop: the loop's next
    // wrap changes the tempo (percent, as SetTempo) so that the pass it begins plays wholly at it,
    // joined to the one before without a gap. A later SetTempo drops a tempo still waiting.
    virtual void SetTempoAtNextWrap(qint16 percent) = 0;
    // Each wrap of the loop from now on holds sound and picture at the loop's beginning for that
    // long (0: not at all), so that a player can get ready for the next pass; the sound fades out
    // and in around the silence. Holds until changed, also for movies opened later.
    virtual void SetPauseAtWraps(double seconds) = 0;
    // The part of the sound to hear, so that a musician can follow one part of the film's sound
    // (see SoundView); holds for every movie opened after it until changed, and is heard within
    // 0.1 s while playing.
    virtual void SetSoundView(SoundView view) = 0;
    // True while the open movie's sound has two or more channels, which the views pick their
    // parts from: a movie of one channel plays as it is whatever the view.
    virtual bool HasTwoSoundChannels() const = 0;

    virtual void FullScreen(bool on) = 0;
    // Write the frame on show; false when nothing could be written.
    virtual bool SaveBitmap(const QString& path) = 0;
    virtual bool SaveSnapshot(const QString& path, qint16 format) = 0;
    // The last call on the player.
    virtual void Close() = 0;

signals:
    // Raised repeatedly during playback with the current time; the text carries nothing the
    // program uses.
    void PositionChange(double position, const QString& text);
    void DblClick();
    // Raised once per wrap of the loop, when the join is heard, so that passes can be counted.
    void LoopWrapped();
};
