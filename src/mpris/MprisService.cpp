#include "mpris/MprisService.h"

#include "mpris/MprisPlayer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {
const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString baseName = QStringLiteral("org.mpris.MediaPlayer2.reelquill");
} // namespace

MprisService::MprisService(QObject* parent) : QObject(parent) {}

MprisService::~MprisService()
{
    if (!m_busName.isEmpty()) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(objectPath);
        bus.unregisterService(m_busName);
    }
}

bool MprisService::publish(MprisPlayer& player)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    // A second running program takes a name of its own, as the media player names allow.
    QString name = baseName;
    if (!bus.registerService(name)) {
        name = baseName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
        if (!bus.registerService(name)) {
            bus.unregisterObject(objectPath);
            return false;
        }
    }
    m_busName = name;
    m_player = &player;
    m_reported = {};
    reportChanges();
    // The window's buttons and keys change playback without telling anyone; a look twice a
    // second keeps an applet's play button and title current without a hook in every command.
    connect(&m_watch, &QTimer::timeout, this, &MprisService::reportChanges);
    m_watch.start(500);
    return true;
}

void MprisService::reportChanges()
{
    const QVariantMap now{{QStringLiteral("PlaybackStatus"), m_player->PlaybackStatus()},
                          {QStringLiteral("Metadata"), m_player->Metadata()},
                          {QStringLiteral("CanPlay"), m_player->HasMovie()},
                          {QStringLiteral("CanPause"), m_player->HasMovie()},
                          {QStringLiteral("CanSeek"), m_player->HasMovie()}};
    QVariantMap changed;
    for (auto value = now.cbegin(); value != now.cend(); ++value) {
        if (m_reported.value(value.key()) != value.value())
            changed.insert(value.key(), value.value());
    }
    m_reported = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        objectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}
