#pragma once

#include "playback/TimeControls.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

#include <functional>

class MoviePlayer;
class TransportCommands;
struct PlaybackState;

// Media keys and the desktop's player applets (org.mpris.MediaPlayer2.Player). Play, Pause,
// PlayPause and Stop run the program's own transport commands, and seeking moves the position
// slider with the player, so the window shows what the desktop did. Times are microseconds.
class MprisPlayer : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ HasMovie)
    Q_PROPERTY(bool CanPause READ HasMovie)
    Q_PROPERTY(bool CanSeek READ HasMovie)
    Q_PROPERTY(bool CanControl READ CanControl)

public:
    // `openFile` opens a movie or loads an excerpt as a file dropped on the window does.
    MprisPlayer(TransportCommands& transport, MoviePlayer& player, const PlaybackState& state,
                const TimeControls& time, std::function<void(const QString&)> openFile, QObject* service);

    QString PlaybackStatus() const;
    // Tempo and pitch are the window's business; to the desktop, playback runs at its own rate.
    double Rate() const { return 1.0; }
    QVariantMap Metadata() const;
    double Volume() const;
    qlonglong Position() const;
    bool CanGoNext() const { return false; }
    bool CanGoPrevious() const { return false; }
    bool HasMovie() const;
    bool CanControl() const { return true; }

    // The one track's id: the program holds one movie at a time.
    static QDBusObjectPath trackId();

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next() {}
    void Previous() {}
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& track, qlonglong position);
    void OpenUri(const QString& uri);

signals:
    void Seeked(qlonglong position);

private:
    void seekTo(double seconds);

    TransportCommands& m_transport;
    MoviePlayer& m_player;
    const PlaybackState& m_state;
    TimeControls m_time;
    std::function<void(const QString&)> m_openFile;
};
