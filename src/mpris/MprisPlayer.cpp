#include "mpris/MprisPlayer.h"

#include "common/Rounding.h"
#include "common/TimeText.h"
#include "playback/PlaybackState.h"
#include "playback/TransportCommands.h"
#include "player/MoviePlayer.h"

#include <QFileInfo>
#include <QLabel>
#include <QSlider>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {
constexpr double microseconds = 1e6;
}

MprisPlayer::MprisPlayer(TransportCommands& transport, MoviePlayer& player, const PlaybackState& state,
                         const TimeControls& time, std::function<void(const QString&)> openFile,
                         QObject* service)
    : QDBusAbstractAdaptor(service), m_transport(transport), m_player(player), m_state(state), m_time(time),
      m_openFile(std::move(openFile))
{}

QDBusObjectPath MprisPlayer::trackId()
{
    return QDBusObjectPath(QStringLiteral("/org/reelquill/movie"));
}

QString MprisPlayer::PlaybackStatus() const
{
    if (HasMovie() && m_state.Playing)
        return QStringLiteral("Playing");
    if (HasMovie() && m_state.Paused)
        return QStringLiteral("Paused");
    return QStringLiteral("Stopped");
}

QVariantMap MprisPlayer::Metadata() const
{
    if (!HasMovie())
        return {};
    return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())},
            {QStringLiteral("mpris:length"), qlonglong(std::llround(m_player.Duration() * microseconds))},
            {QStringLiteral("xesam:title"), QFileInfo(m_player.FileName()).completeBaseName()},
            {QStringLiteral("xesam:url"), QUrl::fromLocalFile(m_player.FileName()).toString()}};
}

// The player's attenuation in hundredths of a decibel as an amplitude factor.
double MprisPlayer::Volume() const
{
    return std::pow(10.0, m_player.Volume() / 2000.0);
}

qlonglong MprisPlayer::Position() const
{
    return HasMovie() ? std::llround(m_player.Position() * microseconds) : 0;
}

bool MprisPlayer::HasMovie() const
{
    return m_player.Duration() > 0;
}

void MprisPlayer::Play()
{
    if (HasMovie())
        m_transport.Play();
}

// The program's Pause is a toggle; the desktop's Pause only ever halts.
void MprisPlayer::Pause()
{
    if (HasMovie() && !m_state.Paused)
        m_transport.Pause();
}

void MprisPlayer::PlayPause()
{
    if (HasMovie())
        m_transport.Pause();
}

void MprisPlayer::Stop()
{
    if (HasMovie())
        m_transport.Stop();
}

void MprisPlayer::Seek(qlonglong offset)
{
    if (HasMovie())
        seekTo(std::clamp(m_player.Position() + static_cast<double>(offset) / microseconds, 0.0,
                          m_player.Duration()));
}

// A position for another track, or outside the movie, is ignored.
void MprisPlayer::SetPosition(const QDBusObjectPath& track, qlonglong position)
{
    const double seconds = static_cast<double>(position) / microseconds;
    if (HasMovie() && track == trackId() && seconds >= 0 && seconds <= m_player.Duration())
        seekTo(seconds);
}

void MprisPlayer::OpenUri(const QString& uri)
{
    const QUrl url(uri);
    if (url.isLocalFile())
        m_openFile(url.toLocalFile());
}

void MprisPlayer::seekTo(double seconds)
{
    m_player.Seek(seconds);
    m_time.sldPosition->setValue(roundHalfEven(m_player.Position()));
    m_time.lblPreviewTime->setText(TimeText(m_player.Position()));
    emit Seeked(Position());
}
