#pragma once

#include "player/MoviePlayer.h"

#include <QHash>
#include <QStringList>

// A MoviePlayer that records every call as text ("Seek(10)", "setVolume(0)") for the logic tests.
// Duration and position are whatever the test sets; opening a path listed in `movies` gives
// that movie's duration, any other path gives 0.
class FakeMoviePlayer : public MoviePlayer
{
    Q_OBJECT

public:
    using MoviePlayer::MoviePlayer;

    QString FileName() const override { return m_fileName; }
    void setFileName(const QString& path) override;
    void setActive(bool active) override;
    double Duration() const override { return duration; }
    double Position() const override { return position; }
    void Seek(double seconds) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void SetLoopWindow(double from, double to) override;
    int Volume() const override { return volume; }
    void setVolume(int hundredthsOfDecibel) override;
    void setRate(double factor) override;
    void SetTempo(qint16 percent) override;
    void SetPitch(double semitones) override;
    void FullScreen(bool on) override;
    bool SaveBitmap(const QString& path) override;
    bool SaveSnapshot(const QString& path, qint16 format) override;
    void Close() override;

    // Raises PositionChange as the real player does while playing.
    void reportPosition(double seconds);
    void doubleClick() { emit DblClick(); }

    // The calls since the last clear, oldest first.
    QStringList calls;
    void clearCalls() { calls.clear(); }

    QHash<QString, double> movies; // path -> duration
    double duration = 0;
    double position = 0;
    int volume = 0;
    double rate = 1.0;
    int tempo = 0;
    double pitch = 0;
    bool playing = false;
    bool snapshotsSucceed = true;

private:
    QString m_fileName;
};
