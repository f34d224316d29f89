#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantMap>

class MprisPlayer;

// Puts the program on the session bus as a media player, at the name and object path that
// media keys and the desktop's player applets look for, and tells them when the playback
// status or the movie changes. Without a session bus the program runs on without it.
class MprisService : public QObject
{
    Q_OBJECT

public:
    // The adaptors are created on this object before it is published.
    explicit MprisService(QObject* parent = nullptr);
    ~MprisService() override;

    // Registers on the session bus; false when there is none or the name is refused.
    bool publish(MprisPlayer& player);
    QString busName() const { return m_busName; }

private:
    void reportChanges();

    MprisPlayer* m_player = nullptr;
    QString m_busName;
    QVariantMap m_reported;
    QTimer m_watch;
};
