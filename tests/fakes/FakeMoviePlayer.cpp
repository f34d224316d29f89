#include "fakes/FakeMoviePlayer.h"

void FakeMoviePlayer::setFileName(const QString& path)
{
    calls << QStringLiteral("setFileName(%1)").arg(path);
    m_fileName = path;
    duration = movies.value(path, 0.0);
    position = 0;
}

void FakeMoviePlayer::setActive(bool active)
{
    calls << QStringLiteral("setActive(%1)").arg(active ? "true" : "false");
}

void FakeMoviePlayer::Seek(double seconds)
{
    calls << QStringLiteral("Seek(%1)").arg(seconds);
    position = seconds;
}

void FakeMoviePlayer::Play()
{
    calls << QStringLiteral("Play()");
    playing = true;
}

void FakeMoviePlayer::Pause()
{
    calls << QStringLiteral("Pause()");
    playing = false;
}

void FakeMoviePlayer::Stop()
{
    calls << QStringLiteral("Stop()");
    playing = false;
}

void FakeMoviePlayer::SetLoopWindow(double from, double to)
{
    calls << QStringLiteral("SetLoopWindow(%1,%2)").arg(from).arg(to);
}

void FakeMoviePlayer::setVolume(int hundredthsOfDecibel)
{
    calls << QStringLiteral("setVolume(%1)").arg(hundredthsOfDecibel);
    volume = hundredthsOfDecibel;
}

void FakeMoviePlayer::setRate(double factor)
{
    calls << QStringLiteral("setRate(%1)").arg(factor);
    rate = factor;
}

void FakeMoviePlayer::SetTempo(qint16 percent)
{
    calls << QStringLiteral("SetTempo(%1)").arg(percent);
    tempo = percent;
}

void FakeMoviePlayer::SetPitch(double semitones)
{
    calls << QStringLiteral("SetPitch(%1)").arg(semitones);
    pitch = semitones;
}

void FakeMoviePlayer::FullScreen(bool on)
{
    calls << QStringLiteral("FullScreen(%1)").arg(on ? "true" : "false");
}

bool FakeMoviePlayer::SaveBitmap(const QString& path)
{
    calls << QStringLiteral("SaveBitmap(%1)").arg(path);
    return snapshotsSucceed;
}

bool FakeMoviePlayer::SaveSnapshot(const QString& path, qint16 format)
{
    calls << QStringLiteral("SaveSnapshot(%1,%2)").arg(path).arg(format);
    return snapshotsSucceed;
}

void FakeMoviePlayer::Close()
{
    calls << QStringLiteral("Close()");
}

void FakeMoviePlayer::reportPosition(double seconds)
{
    position = seconds;
    emit PositionChange(seconds, QString());
}
