#include "player/MpvMoviePlayer.h"

#include "common/TimeText.h"
#include "player/SnapshotWriter.h"
#include "player/VolumeLevel.h"

#include <QFileInfo>

#include <cmath>

namespace {

// Position reports while the sound leads: about every frame of a 50 fps movie.
constexpr int reportEveryMs = 20;
// A picture seen this close to the loop's beginning, and earlier than the last, has wrapped.
constexpr double pictureWrapSeconds = 0.25;

SoundOutput::Kind soundOutputOf(const MpvPlayerOptions& options)
{
    switch (options.audio) {
    case MpvPlayerOptions::Audio::None:
        return SoundOutput::Kind::Null;
    case MpvPlayerOptions::Audio::WaveFile:
        return SoundOutput::Kind::WaveFile;
    default:
        return SoundOutput::Kind::Server;
    }
}

} // namespace

MpvMoviePlayer::MpvMoviePlayer(const MpvPlayerOptions& options, QObject* parent)
    : MoviePlayer(parent), m_picture(options), m_sound(soundOutputOf(options), options.waveFilePath),
      m_follower(m_picture, m_sound)
{
    m_reports.setInterval(reportEveryMs);
    connect(&m_reports, &QTimer::timeout, this, &MpvMoviePlayer::reportPosition);
    connect(&m_picture, &MpvPicture::timeChanged, this, &MpvMoviePlayer::picture_timeChanged);
    connect(&m_picture, &MpvPicture::seekLanded, this, &MpvMoviePlayer::picture_seekLanded);
    connect(&m_picture, &MpvPicture::closedByEngine, this, &MpvMoviePlayer::picture_closedByEngine);
    connect(&m_picture, &MpvPicture::doubleClicked, this, &MoviePlayer::DblClick);
    // The picture as written to a file runs as fast as the sound is made: nothing to follow.
    m_follower.setFollowing(false);
    m_followsSound = options.audio != MpvPlayerOptions::Audio::WaveFile;
}

MpvMoviePlayer::~MpvMoviePlayer()
{
    Close();
}

bool MpvMoviePlayer::soundLeads() const
{
    return m_sound.isOpen() && !m_sound.hasEnded();
}

// ---- opening and closing --------------------------------------------------------------------

void MpvMoviePlayer::setFileName(const QString& path)
{
    m_fileName.clear();
    m_playing = false;
    m_soundWaitsForSeek = false;
    m_reports.stop();
    m_follower.setFollowing(false);
    m_sound.close();
    // The sound is decoded by the sound path; mpv decodes it too only when there is no picture
    // to time the movie by.
    const bool ordinaryFile = QFileInfo(path).isFile();
    const bool hasSound = ordinaryFile && m_sound.open(path);
    const bool pictureOnly = hasSound && m_sound.moviesHavePicture();
    if (!m_picture.open(path, !pictureOnly)) {
        m_sound.close();
        return;
    }
    m_fileName = path;
    m_lastReported = -1;
    applyStretch();
    m_picture.setLoop(0, 0);
}

void MpvMoviePlayer::Close()
{
    m_reports.stop();
    m_follower.setFollowing(false);
    m_sound.close();
    m_picture.shutDown();
    m_fileName.clear();
}

void MpvMoviePlayer::picture_closedByEngine()
{
    m_sound.close();
    m_reports.stop();
    m_fileName.clear();
}

// ---- transport ------------------------------------------------------------------------------

double MpvMoviePlayer::Duration() const
{
    return m_fileName.isEmpty() ? 0 : m_picture.duration();
}

double MpvMoviePlayer::Position() const
{
    if (m_fileName.isEmpty())
        return 0;
    if (m_picture.seekPending() && m_soundWaitsForSeek)
        return m_picture.time();
    if (soundLeads())
        return m_sound.position().value_or(0);
    return m_picture.time();
}

void MpvMoviePlayer::Seek(double seconds)
{
    if (m_fileName.isEmpty() || !std::isfinite(seconds))
        return;
    const double target = std::max(0.0, seconds);
    m_picture.seek(target);
    if (!m_sound.isOpen())
        return;
    // The sound halts, and goes on from the target once the picture is there, so that both start
    // together. Its new place is made only then: starting the stretcher afresh would take the
    // processor from the picture's seek.
    m_follower.setFollowing(false);
    m_sound.pause();
    m_soundTarget = target;
    m_soundWaitsForSeek = true;
}

void MpvMoviePlayer::Play()
{
    if (m_fileName.isEmpty())
        return;
    m_playing = true;
    // A halted movie with a seek under way starts once it is done.
    if (m_picture.seekPending() && m_picture.isPaused())
        return;
    startPlaying();
}

void MpvMoviePlayer::startPlaying()
{
    m_picture.setPaused(false);
    if (m_soundWaitsForSeek && m_picture.seekPending())
        return;
    m_soundWaitsForSeek = false;
    m_sound.play();
    m_follower.setFollowing(m_followsSound && m_sound.isOpen());
    if (m_sound.isOpen())
        m_reports.start();
}

void MpvMoviePlayer::Pause()
{
    m_playing = false;
    m_picture.setPaused(true);
    m_sound.pause();
    m_follower.setFollowing(false);
    m_reports.stop();
}

void MpvMoviePlayer::Stop()
{
    Pause();
}

void MpvMoviePlayer::picture_seekLanded()
{
    if (m_picture.seekPending())
        return;
    if (m_soundWaitsForSeek)
        m_sound.seek(m_soundTarget);
    // Play asked for during the seek of a halted movie starts it now (the follower's own seeks
    // keep the picture halted while there is sound).
    if (m_playing && (m_soundWaitsForSeek || (!m_sound.isOpen() && m_picture.isPaused())))
        startPlaying();
    m_soundWaitsForSeek = false;
    reportPosition();
}

void MpvMoviePlayer::picture_timeChanged(double seconds)
{
    // Without sound to lead, the picture's frames are the reports.
    if (soundLeads() || m_fileName.isEmpty())
        return;
    // Without sound at all, mpv's own loop wraps: the picture is seen back at the loop's beginning.
    const bool wrapped = !m_sound.isOpen() && m_loopFrom < m_loopTo && seconds < m_lastReported &&
                         std::abs(seconds - m_loopFrom) < pictureWrapSeconds;
    m_lastReported = seconds;
    emit PositionChange(seconds, TimeText(seconds));
    if (wrapped)
        pictureWrapped();
}

void MpvMoviePlayer::pictureWrapped()
{
    // The waiting tempo and the pause start with the first frame seen after the wrap.
    if (m_waitingTempo)
        SetTempo(*m_waitingTempo);
    if (m_pauseAtWraps > 0 && m_playing) {
        m_picture.setPaused(true);
        QTimer::singleShot(static_cast<int>(m_pauseAtWraps * 1000), this, [this] {
            if (m_playing)
                m_picture.setPaused(false);
        });
    }
    emit LoopWrapped();
}

void MpvMoviePlayer::reportPosition()
{
    if (m_fileName.isEmpty())
        return;
    for (int wraps = m_sound.takeWrapsHeard(); wraps > 0; --wraps)
        loopWrapped();
    if (m_soundWaitsForSeek || (m_picture.seekPending() && !soundLeads()))
        return;
    const double position = Position();
    if (position == m_lastReported)
        return;
    m_lastReported = position;
    emit PositionChange(position, TimeText(position));
}

void MpvMoviePlayer::loopWrapped()
{
    // The tempo the join took is the tempo from now on.
    sendSpeeds(m_waitingTempo);
    emit LoopWrapped();
}

void MpvMoviePlayer::SetLoopWindow(double from, double to)
{
    m_loopFrom = from;
    m_loopTo = to;
    // Without the sound path, mpv's own A-B loop does the wrapping.
    if (m_sound.isOpen())
        m_sound.setLoop(from, to);
    else
        m_picture.setLoop(from, to);
}

// ---- sound ----------------------------------------------------------------------------------

void MpvMoviePlayer::setVolume(int hundredthsOfDecibel)
{
    m_volume = VolumeLevel::clamped(hundredthsOfDecibel);
    m_sound.setGain(VolumeLevel::gain(m_volume));
}

void MpvMoviePlayer::setRate(double factor)
{
    m_stretch.setRate(factor);
    applyStretch();
}

void MpvMoviePlayer::SetTempo(qint16 percent)
{
    m_waitingTempo.reset();
    m_stretch.setTempo(percent);
    applyStretch();
}

void MpvMoviePlayer::SetTempoAtNextWrap(qint16 percent)
{
    sendSpeeds(percent);
}

void MpvMoviePlayer::SetPauseAtWraps(double seconds)
{
    m_pauseAtWraps = std::isfinite(seconds) ? std::max(0.0, seconds) : 0.0;
    m_sound.setPauseAtWraps(m_pauseAtWraps);
}

void MpvMoviePlayer::SetPitch(double semitones)
{
    m_stretch.setPitch(semitones);
    applyStretch();
}

void MpvMoviePlayer::applyStretch()
{
    sendSpeeds(m_waitingTempo);
    m_sound.setPitchScale(m_stretch.pitchScale());
    // A halted movie has its next moments of sound already made with the old settings; made
    // again from where it stands, Play sounds the new ones at once.
    if (m_sound.isOpen() && !m_playing && !m_soundWaitsForSeek)
        m_sound.seek(Position());
}

void MpvMoviePlayer::sendSpeeds(std::optional<qint16> waiting)
{
    // The speed now and the one `waiting` gives at the loop's next join go to the sound path
    // together. A join made since they were last sent may have taken the tempo that waited: it is
    // the tempo from that join on, and what waits now comes after it.
    const auto speedWith = [this](qint16 percent) {
        StretchSettings settings = m_stretch;
        settings.setTempo(percent);
        return static_cast<float>(settings.speed());
    };
    SoundPath::Speeds found = m_sound.speeds();
    do {
        if (m_waitingTempo && found.atNextWrap == 0) {
            m_stretch.setTempo(*m_waitingTempo);
            if (waiting == m_waitingTempo)
                waiting.reset();
            m_waitingTempo.reset();
        }
    } while (!m_sound.replaceSpeeds(
        found, {static_cast<float>(m_stretch.speed()), waiting ? speedWith(*waiting) : 0.0f}));
    m_waitingTempo = waiting;
    m_follower.setSpeed(m_stretch.speed());
}

bool MpvMoviePlayer::SaveSnapshot(const QString& path, qint16 format)
{
    if (m_fileName.isEmpty())
        return false;
    return SnapshotWriter::write(m_picture.frameOnShow(), path, format);
}

// Compiled here rather than with the other classes' meta-objects, so that a program using none of
// the player does not link libmpv.
#include "moc_MpvMoviePlayer.cpp"
