#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "playback/PlaybackState.h"
#include "playback/TransportCommands.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

// A player that lands a little away from a seek target, as a real one does on frame boundaries.
class LandingPlayer : public FakeMoviePlayer
{
public:
    double landingOffset = 0;
    void Seek(double seconds) override
    {
        FakeMoviePlayer::Seek(seconds);
        position = seconds + landingOffset;
    }
};

// The transport commands on bare sliders, a recording player and a desktop that answers the
// open dialog.
class TransportTest : public QObject
{
    Q_OBJECT

    using CommandFunction = void (TransportCommands::*)();
    static QHash<QString, CommandFunction> commandByName()
    {
        return {{"Open", &TransportCommands::Open},         {"Play", &TransportCommands::Play},
                {"PlayLoop", &TransportCommands::PlayLoop}, {"Pause", &TransportCommands::Pause},
                {"Stop", &TransportCommands::Stop},         {"Rewind", &TransportCommands::Rewind},
                {"FForward", &TransportCommands::FForward}};
    }

    struct Rig
    {
        QSlider position, begin, end;
        QLabel preview;
        LandingPlayer player;
        FakeDesktop desktop;
        PlaybackState state;
        TransportCommands commands{player, state, TimeControls{&position, &begin, &end, &preview}, desktop,
                                   nullptr};

        Rig()
        {
            for (QSlider* slider : {&position, &begin, &end}) {
                slider->setRange(0, 1000);
                slider->setValue(500);
            }
            player.movies.insert("/movies/hundred.mp4", 100.0);
            player.movies.insert("/movies/long.mp4", 125.5);
            player.movies.insert("/movies/short.mp4", 124.5);
        }
        void openMovie(const QString& path)
        {
            desktop.fileAnswers << path;
            commands.Open();
            player.clearCalls();
        }
    };

private slots:
    void rewind_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("within the first 5 s") << 4.2 << QStringList();
        QTest::newRow("at exactly 5 s") << 5.0 << QStringList();
        QTest::newRow("just past 5 s") << 5.01 << QStringList{"Seek(0.01)"};
        QTest::newRow("mid movie") << 42.5 << QStringList{"Seek(37.5)"};
    }
    void rewind()
    {
        QFETCH(double, position);
        QFETCH(QStringList, calls);
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        rig.player.position = position;
        rig.commands.Rewind();
        QCOMPARE(rig.player.calls, calls);
    }

    void fastForward_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("5.1 s before the end") << 94.9 << QStringList{"Seek(99.9)"};
        QTest::newRow("exactly 5 s before the end") << 95.0 << QStringList();
        QTest::newRow("within the last 5 s") << 97.0 << QStringList();
        QTest::newRow("at the start") << 0.0 << QStringList{"Seek(5)"};
    }
    void fastForward()
    {
        QFETCH(double, position);
        QFETCH(QStringList, calls);
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        rig.player.position = position;
        rig.commands.FForward();
        QCOMPARE(rig.player.calls, calls);
    }

    void stopReturnsToTheBeginningOfTheLoopWindow_data()
    {
        QTest::addColumn<double>("landingOffset");
        QTest::addColumn<QString>("label");
        QTest::newRow("player lands on the target") << 0.0 << "0:00:30:00";
        // The label shows where the player says it is, not the slider's value.
        QTest::newRow("player lands on a frame before it") << -0.04 << "0:00:29:96";
    }
    void stopReturnsToTheBeginningOfTheLoopWindow()
    {
        QFETCH(double, landingOffset);
        QFETCH(QString, label);
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        rig.player.landingOffset = landingOffset;
        rig.begin.setValue(30);
        rig.position.setValue(80);
        rig.player.position = 80;
        rig.commands.PlayLoop();
        rig.player.clearCalls();
        rig.commands.Stop();
        QCOMPARE(rig.player.calls, (QStringList{"Stop()", "Seek(30)"}));
        QCOMPARE(rig.position.value(), 30);
        QVERIFY(!rig.state.LoopPlay);
        QCOMPARE(rig.preview.text(), label);
    }

    // Each row is a sequence of commands; the player calls and the final state are checked.
    void pausePlayInterplay_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("loopPlay");
        QTest::newRow("pause halts") << QStringList{"Pause"} << QStringList{"Pause()"} << true << false;
        QTest::newRow("pause, pause resumes")
            << QStringList{"Pause", "Pause"} << QStringList{"Pause()", "Play()"} << false << false;
        QTest::newRow("pause, play resumes and the next pause halts")
            << QStringList{"Pause", "Play", "Pause"} << QStringList{"Pause()", "Play()", "Pause()"} << true
            << false;
        QTest::newRow("play loop sets loop mode")
            << QStringList{"PlayLoop"} << QStringList{"Play()"} << false << true;
        QTest::newRow("play loop then stop leaves loop mode")
            << QStringList{"PlayLoop", "Stop"} << QStringList{"Play()", "Stop()", "Seek(0)"} << false
            << false;
        QTest::newRow("play loop then play leaves loop mode")
            << QStringList{"PlayLoop", "Play"} << QStringList{"Play()", "Play()"} << false << false;
        QTest::newRow("pause, play loop clears paused")
            << QStringList{"Pause", "PlayLoop"} << QStringList{"Pause()", "Play()"} << false << true;
        // Open plays while Paused stays set, so the first Pause plays again and only the
        // second one halts.
        QTest::newRow("pause, open, pause, pause")
            << QStringList{"Pause", "Open", "Pause", "Pause"}
            << QStringList{"Pause()",      "setActive(true)", "setFileName(/movies/hundred.mp4)",
                           "setVolume(0)", "Play()",          "Play()",
                           "Pause()"}
            << true << false;
        // After Pause then Stop, the next Pause resumes from the beginning of the loop window.
        QTest::newRow("pause, stop keeps paused, pause resumes")
            << QStringList{"Pause", "Stop", "Pause"} << QStringList{"Pause()", "Stop()", "Seek(0)", "Play()"}
            << false << false;
        QTest::newRow("skips leave both modes alone")
            << QStringList{"PlayLoop", "Pause", "FForward", "FForward", "Rewind"}
            << QStringList{"Play()", "Pause()", "Seek(5)", "Seek(10)", "Seek(5)"} << true << true;
        QTest::newRow("open keeps loop mode")
            << QStringList{"PlayLoop", "Open"}
            << QStringList{"Play()", "setActive(true)", "setFileName(/movies/hundred.mp4)", "setVolume(0)",
                           "Play()"}
            << false << true;
    }
    void pausePlayInterplay()
    {
        QFETCH(QStringList, commands);
        QFETCH(QStringList, calls);
        QFETCH(bool, paused);
        QFETCH(bool, loopPlay);
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        for (const QString& command : commands) {
            if (command == "Open")
                rig.desktop.fileAnswers << "/movies/hundred.mp4";
            const auto run = commandByName().value(command);
            QVERIFY2(run, qPrintable(command));
            (rig.commands.*run)();
        }
        QCOMPARE(rig.player.calls, calls);
        QCOMPARE(rig.state.Paused, paused);
        QCOMPARE(rig.state.LoopPlay, loopPlay);
    }

    void openFitsTheTimeSliders_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("maximum");
        QTest::newRow("125.5 s goes to the even 126") << "/movies/long.mp4" << 126;
        QTest::newRow("124.5 s goes to the even 124") << "/movies/short.mp4" << 124;
        QTest::newRow("100 s") << "/movies/hundred.mp4" << 100;
    }
    void openFitsTheTimeSliders()
    {
        QFETCH(QString, path);
        QFETCH(int, maximum);
        Rig rig;
        rig.desktop.fileAnswers << path;
        rig.commands.Open();
        for (QSlider* slider : {&rig.position, &rig.begin, &rig.end}) {
            QCOMPARE(slider->minimum(), 0);
            QCOMPARE(slider->maximum(), maximum);
        }
        QCOMPARE(rig.position.value(), 0);
        QCOMPARE(rig.begin.value(), 0);
        QCOMPARE(rig.end.value(), maximum);
        QCOMPARE(rig.player.calls, (QStringList{"setActive(true)", QString("setFileName(%1)").arg(path),
                                                "setVolume(0)", "Play()"}));
        QCOMPARE(rig.desktop.filtersShown, QStringList{TransportCommands::movieFilter()});
    }

    void openOfABadFileKeepsTheSlidersAndStillPlays()
    {
        Rig rig;
        rig.player.volume = -2500;
        rig.desktop.fileAnswers << "/movies/broken.mp4";
        rig.commands.Open();
        QCOMPARE(rig.player.calls, (QStringList{"setActive(true)", "setFileName(/movies/broken.mp4)",
                                                "setVolume(0)", "Play()"}));
        for (QSlider* slider : {&rig.position, &rig.begin, &rig.end}) {
            QCOMPARE(slider->maximum(), 1000);
            QCOMPARE(slider->value(), 500);
        }
    }

    void cancelledOpenDialogDoesNothing()
    {
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        rig.end.setValue(60);
        rig.commands.Open(); // no answer queued: the user cancels
        QCOMPARE(rig.desktop.filtersShown.size(), 2);
        QVERIFY(rig.player.calls.isEmpty());
        QCOMPARE(rig.end.value(), 60);
        QCOMPARE(rig.player.FileName(), "/movies/hundred.mp4");
    }
};

QTEST_MAIN(TransportTest)
#include "tst_transport.moc"
