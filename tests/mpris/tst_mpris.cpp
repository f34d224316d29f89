#include "fakes/MainWindowRig.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QLabel>
#include <QTest>

// Media keys and player applets drive the real main window over a session bus of the test's own,
// as another program would: through a connection of their own, by the published names. The
// window plays "/movies/Etude in D.mp4", 125.5 s long, unless the movie is empty.
class MprisTest : public QObject
{
    Q_OBJECT

    struct Rig : MainWindowRig
    {
        explicit Rig(const QString& movie = "/movies/Etude in D.mp4")
        {
            player.movies.insert(movie, 125.5);
            window.startUp({"reelquill", movie});
            player.clearCalls();
        }
    };

    QDBusConnection m_client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");

    // Lets the window, in this same thread, handle the call while waiting for its answer. Gives
    // the answer's first value, or the error.
    QVariant call(const QString& method, const QVariantList& arguments = {},
                  const QString& interface = "org.mpris.MediaPlayer2.Player")
    {
        QDBusMessage message = QDBusMessage::createMethodCall("org.mpris.MediaPlayer2.reelquill",
                                                              "/org/mpris/MediaPlayer2", interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = m_client.call(message, QDBus::BlockWithGui, 5000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return reply.errorMessage();
        const QVariant first = reply.arguments().value(0);
        return first.canConvert<QDBusVariant>() ? first.value<QDBusVariant>().variant() : first;
    }
    QVariant property(const QString& name, const QString& interface = "org.mpris.MediaPlayer2.Player")
    {
        return call("Get", {interface, name}, "org.freedesktop.DBus.Properties");
    }

private slots:
    void initTestCase() { QVERIFY2(m_client.isConnected(), "no session bus: run under dbus-run-session"); }

    // From 10 s into a playing movie, after the user's own click on the window (if any), what the
    // desktop asks; what the player is told, the status the desktop then reads (and whether the
    // window's Pause toggle is down), the position slider and the time label. A target outside
    // the movie is clamped by Seek and ignored by SetPosition.
    void methods_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const char* before, const QString& request,
                            const char* outcome) {
            QTest::newRow(name) << QString(before) << request << QString(outcome);
        };
        const QString movie = "SetPosition /org/reelquill/movie ";
        row("PlayPause while playing", "", "PlayPause", "Pause() | Paused paused | 10");
        row("PlayPause after the window's Pause", "cmdPause", "PlayPause", "Play() | Playing | 10");
        row("Pause after the window's Pause", "cmdPause", "Pause", "| Paused paused | 10");
        row("Play after the window's Stop", "cmdStop", "Play", "Play() | Playing | 10");
        row("Stop while playing", "", "Stop", "Stop() Seek(0) | Stopped | 0 0:00:00:00");
        row("Play without a movie", "no movie", "Play", "| Stopped | 500 0:00:00:00");
        row("PlayPause without a movie", "no movie", "PlayPause", "| Stopped | 500 0:00:00:00");
        row("2.5 s back", "", "Seek -2500000", "Seek(7.5) | Playing | 8 0:00:07:50");
        row("back past the start", "", "Seek -20000000", "Seek(0) | Playing | 0 0:00:00:00");
        row("ahead past the end", "", "Seek 500000000", "Seek(125.5) | Playing | 126 0:02:05:50");
        row("set to 1 minute", "", movie + "60000000", "Seek(60) | Playing | 60 0:01:00:00");
        row("set on another track", "", "SetPosition /org/other/track 60000000", "| Playing | 10");
        row("set past the end", "", movie + "126000000", "| Playing | 10");
        row("set before the start", "", movie + "-1", "| Playing | 10");
    }
    void methods()
    {
        QFETCH(QString, before);
        QFETCH(QString, request);
        QFETCH(QString, outcome);
        Rig rig(before == "no movie" ? "" : "/movies/Etude in D.mp4");
        const TimeControls& time = rig.window.timeControls();
        if (before.isEmpty() || rig.run(before)) {
            rig.player.position = 10;
            time.sldPosition->setValue(10);
            time.lblPreviewTime->clear();
        }
        rig.player.clearCalls();
        const QStringList words = request.split(' ');
        QVariantList arguments;
        if (words.size() == 3)
            arguments << QVariant::fromValue(QDBusObjectPath(words[1]));
        if (words.size() > 1)
            arguments << words.last().toLongLong();
        QCOMPARE(call(words[0], arguments), QVariant());
        QCOMPARE(QStringList({rig.player.calls.join(' '), "|", property("PlaybackStatus").toString(),
                              rig.window.playbackState().Paused ? "paused" : "", "|",
                              QString::number(time.sldPosition->value()), time.lblPreviewTime->text()})
                     .join(' ')
                     .simplified(),
                 outcome);
    }

    void metadata()
    {
        Rig rig;
        rig.player.position = 42.25;
        const QVariantMap data = qdbus_cast<QVariantMap>(property("Metadata"));
        QCOMPARE(data.value("xesam:title").toString(), "Etude in D");
        QCOMPARE(data.value("mpris:length").toLongLong(), 125500000);
        QCOMPARE(data.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/reelquill/movie");
        QCOMPARE(property("Position").toLongLong(), 42250000);
        QCOMPARE(property("DesktopEntry", "org.mpris.MediaPlayer2").toString(), "reelquill");
    }

    // An applet's play button follows the window's own Pause button without asking.
    void statusChangeIsAnnounced()
    {
        Rig rig;
        QVERIFY(m_client.connect("org.mpris.MediaPlayer2.reelquill", "/org/mpris/MediaPlayer2",
                                 "org.freedesktop.DBus.Properties", "PropertiesChanged", this,
                                 SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(rig.run("cmdPause"));
        QTRY_COMPARE_WITH_TIMEOUT(m_changed, "org.mpris.MediaPlayer2.Player PlaybackStatus=Paused", 3000);
    }

    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        m_changed = interface + " PlaybackStatus=" + changed.value("PlaybackStatus").toString();
    }

private:
    QString m_changed;
};

QTEST_MAIN(MprisTest)
#include "tst_mpris.moc"
