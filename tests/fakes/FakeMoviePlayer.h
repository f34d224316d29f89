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
    void setFileName(const QString& path) override
    {
        record("setFileName", path);
        m_fileName = path;
        duration = movies.value(path, 0.0);
        position = 0;
    }
    void setActive(bool active) override { record("setActive", flag(active)); }
    double Duration() const override { return duration; }
    double Position() const override { return position; }
    void Seek(double seconds) override { record("Seek", position = seconds); }
    void Play() override { record("Play"); }
    void Pause() override { record("Pause"); }
    void Stop() override { record("Stop"); }
    void SetLoopWindow(double from, double to) override { record("SetLoopWindow", from, to); }
    int Volume() const override { return volume; }
    void setVolume(int hundredthsOfDecibel) override { record("setVolume", volume = hundredthsOfDecibel); }
    void setRate(double factor) override { record("setRate", factor); }
    void SetTempo(qint16 percent) override { record("SetTempo", percent); }
    void SetTempoAtNextWrap(qint16 percent) override { record("SetTempoAtNextWrap", percent); }
    void SetPauseAtWraps(double seconds) override { record("SetPauseAtWraps", seconds); }
    void SetPitch(double semitones) override { record("SetPitch", semitones); }
    void SetSoundView(SoundView view) override { soundView = view; }
    bool HasTwoSoundChannels() const override { return twoSoundChannels; }
    void FullScreen(bool on) override { record("FullScreen", flag(on)); }
    bool SaveBitmap(const QString& path) override
    {
        record("SaveBitmap", path);
        return snapshotsSucceed;
    }
    bool SaveSnapshot(const QString& path, qint16 format) override
    {
        record("SaveSnapshot", path, format);
        return snapshotsSucceed;
    }
    void Close() override { record("Close"); }

    // Raises PositionChange as the real player does while playing.
    void reportPosition(double seconds) { emit PositionChange(position = seconds, QString()); }
    void doubleClick() { emit DblClick(); }
    // Raises LoopWrapped as the real player does when it is heard going back to the loop's start.
    void wrapLoop() { emit LoopWrapped(); }

    // The calls since the last clear, oldest first.
    QStringList calls;
    void clearCalls() { calls.clear(); }

    QHash<QString, double> movies; // path -> duration
    double duration = 0;
    double position = 0;
    int volume = 0;
    bool snapshotsSucceed = true;
    SoundView soundView = SoundView::BothChannels; // the last one set
    bool twoSoundChannels = true;

private:
    static QString flag(bool on) { return on ? "true" : "false"; }
    template <typename T> static QString text(const T& value)
    {
        if constexpr (std::is_arithmetic_v<T>)
            return QString::number(value); // doubles as "0.01", not "0.009999999999999787"
        else
            return value;
    }
    template <typename... Arguments> void record(const char* name, const Arguments&... arguments)
    {
        calls << QStringLiteral("%1(%2)").arg(name, QStringList{text(arguments)...}.join(','));
    }

    QString m_fileName;
};
