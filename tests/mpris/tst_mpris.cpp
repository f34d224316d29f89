#include "fakes/MainWindowRig.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QLabel>
#include <QTest>

// Media keys and player applets drive the real main window over a session bus of the test's own,
// as another program would: through a connection of their own, by the published names.
class MprisTest : public QObject
{
    Q_OBJECT

    const QString m_service = "org.mpris.MediaPlayer2.reelquill";
    const QString m_path = "/org/mpris/MediaPlayer2";
    const QString m_playerInterface = "org.mpris.MediaPlayer2.Player";
    const QString m_movie = "/movies/Etude in D.mp4";

    struct Rig : MainWindowRig
    {
        explicit Rig(const QString& movie)
        {
            player.movies.insert(movie, 125.5);
            window.startUp({"/usr/bin/reelquill", movie});
            player.clearCalls();
        }
    };

    QDBusConnection client() const
    {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
    }

    // Waits for the answer while the window, in this same thread, handles the call.
    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client().asyncCall(message, 5000);
        if (!QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000))
            return QDBusMessage::createError("timeout", method + " was not answered");
        return pending.reply();
    }

    QVariant property(const QString& interface, const QString& name)
    {
        const QDBusMessage reply = call("org.freedesktop.DBus.Properties", "Get", {interface, name});
        if (reply.type() != QDBusMessage::ReplyMessage)
            return reply.errorMessage();
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    QString status() { return property(m_playerInterface, "PlaybackStatus").toString(); }

    QVariantMap metadata()
    {
        QVariantMap map;
        property(m_playerInterface, "Metadata").value<QDBusArgument>() >> map;
        return map;
    }

private slots:
    void initTestCase() { QVERIFY2(client().isConnected(), "no session bus: run under dbus-run-session"); }

    void transportCommand_data()
    {
        QTest::addColumn<QString>("windowFirst");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("paused");
        QTest::newRow("PlayPause while playing") << ""
                                                 << "PlayPause" << QStringList{"Pause()"} << "Paused" << true;
        QTest::newRow("PlayPause after the window's Pause")
            << "cmdPause"
            << "PlayPause" << QStringList{"Play()"} << "Playing" << false;
        QTest::newRow("Pause while playing") << ""
                                             << "Pause" << QStringList{"Pause()"} << "Paused" << true;
        QTest::newRow("Pause after the window's Pause") << "cmdPause"
                                                        << "Pause" << QStringList{} << "Paused" << true;
        QTest::newRow("Play after the window's Pause")
            << "cmdPause"
            << "Play" << QStringList{"Play()"} << "Playing" << false;
        QTest::newRow("Play after the window's Stop")
            << "cmdStop"
            << "Play" << QStringList{"Play()"} << "Playing" << false;
        QTest::newRow("Stop while playing")
            << ""
            << "Stop" << QStringList{"Stop()", "Seek(0)"} << "Stopped" << false;
    }
    void transportCommand()
    {
        QFETCH(QString, windowFirst);
        QFETCH(QString, method);
        QFETCH(QStringList, calls);
        QFETCH(QString, status);
        QFETCH(bool, paused);
        Rig rig(m_movie);
        QCOMPARE(this->status(), "Playing");
        if (!windowFirst.isEmpty()) {
            QVERIFY(rig.run(windowFirst));
            rig.player.clearCalls();
        }
        const QDBusMessage reply = call(m_playerInterface, method);
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(rig.player.calls, calls);
        QCOMPARE(this->status(), status);
        // The window's own Pause toggle knows what the desktop did.
        QCOMPARE(rig.window.playbackState().Paused, paused);
    }

    void withoutMovieNothingPlays_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("Play") << "Play";
        QTest::newRow("PlayPause") << "PlayPause";
        QTest::newRow("Stop") << "Stop";
    }
    void withoutMovieNothingPlays()
    {
        QFETCH(QString, method);
        MainWindowRig rig;
        QCOMPARE(call(m_playerInterface, method).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(rig.player.calls, QStringList());
        QCOMPARE(status(), "Stopped");
        QCOMPARE(property(m_playerInterface, "CanPlay").toBool(), false);
    }

    void titleLengthAndPosition()
    {
        Rig rig(m_movie);
        rig.player.position = 42.25;
        const QVariantMap data = metadata();
        QCOMPARE(data.value("xesam:title").toString(), "Etude in D");
        QCOMPARE(data.value("mpris:length").toLongLong(), 125500000);
        QCOMPARE(data.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/reelquill/movie");
        QCOMPARE(property(m_playerInterface, "Position").toLongLong(), 42250000);
        QCOMPARE(property(m_playerInterface, "CanSeek").toBool(), true);
        QCOMPARE(property("org.mpris.MediaPlayer2", "Identity").toString(), "Reelquill");
        QCOMPARE(property("org.mpris.MediaPlayer2", "DesktopEntry").toString(), "reelquill");
    }

    void seek_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("track");
        QTest::addColumn<qlonglong>("microseconds");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("label");
        const QString movie = "/org/reelquill/movie";
        QTest::newRow("5 s ahead") << "Seek"
                                   << "" << 5000000LL << QStringList{"Seek(15)"} << 15 << "0:00:15:00";
        QTest::newRow("2.5 s back") << "Seek"
                                    << "" << -2500000LL << QStringList{"Seek(7.5)"} << 8 << "0:00:07:50";
        QTest::newRow("back past the start")
            << "Seek"
            << "" << -20000000LL << QStringList{"Seek(0)"} << 0 << "0:00:00:00";
        QTest::newRow("ahead past the end")
            << "Seek"
            << "" << 500000000LL << QStringList{"Seek(125.5)"} << 126 << "0:02:05:50";
        QTest::newRow("set to 1 minute")
            << "SetPosition" << movie << 60000000LL << QStringList{"Seek(60)"} << 60 << "0:01:00:00";
        QTest::newRow("set on another track")
            << "SetPosition"
            << "/org/other/track" << 60000000LL << QStringList{} << 10 << "";
        QTest::newRow("set past the end")
            << "SetPosition" << movie << 126000000LL << QStringList{} << 10 << "";
        QTest::newRow("set before the start") << "SetPosition" << movie << -1LL << QStringList{} << 10 << "";
    }
    void seek()
    {
        QFETCH(QString, method);
        QFETCH(QString, track);
        QFETCH(qlonglong, microseconds);
        QFETCH(QStringList, calls);
        QFETCH(int, slider);
        QFETCH(QString, label);
        Rig rig(m_movie);
        rig.player.position = 10;
        rig.window.timeControls().sldPosition->setValue(10);
        rig.window.timeControls().lblPreviewTime->clear();
        QVariantList arguments;
        if (!track.isEmpty())
            arguments << QVariant::fromValue(QDBusObjectPath(track));
        arguments << microseconds;
        QCOMPARE(call(m_playerInterface, method, arguments).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(rig.player.calls, calls);
        QCOMPARE(rig.window.timeControls().sldPosition->value(), slider);
        QCOMPARE(rig.window.timeControls().lblPreviewTime->text(), label);
    }

    // An applet's play button follows the window's own Pause button without asking.
    void statusChangeIsAnnounced()
    {
        Rig rig(m_movie);
        QVERIFY(client().connect(m_service, m_path, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                                 this, SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(rig.run("cmdPause"));
        QTRY_COMPARE_WITH_TIMEOUT(m_changed.value("PlaybackStatus").toString(), "Paused", 3000);
        QCOMPARE(m_changedInterface, m_playerInterface);
    }

    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        m_changedInterface = interface;
        m_changed = changed;
    }

private:
    QString m_changedInterface;
    QVariantMap m_changed;
};

QTEST_MAIN(MprisTest)
#include "tst_mpris.moc"
