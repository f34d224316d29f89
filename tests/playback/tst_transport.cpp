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
    // Each row runs a sequence of steps on a 100 s movie: a command, or "at" (the player and the
    // thumb are at that second), "begin" (the loop window's beginning) or "land" (how far from a
    // seek target the player lands, as a real one does on frame boundaries). It checks the player
    // calls, the modes and, when given, the thumb and the time label.
    void commands_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("modes");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* steps, const char* calls, const char* modes,
                            const char* shown = "") {
            QTest::newRow(name) << QString(steps) << QString(calls) << QString(modes) << QString(shown);
        };
        const char* open = "setActive(true) setFileName(/movies/hundred.mp4) setVolume(0) Play()";
        // The skips go 5 s either way, and not at all when less than that is left.
        row("back within the first 5 s", "at 4.2 Rewind", "", "");
        row("back at exactly 5 s", "at 5 Rewind", "", "");
        row("back just past 5 s", "at 5.01 Rewind", "Seek(0.01)", "");
        row("forward 5.1 s before the end", "at 94.9 FForward", "Seek(99.9)", "");
        row("forward exactly 5 s before the end", "at 95 FForward", "", "");
        // Stop goes back to the loop window's beginning; the label shows where the player says
        // it is, not the thumb.
        row("stop", "begin 30 at 80 PlayLoop Stop", "Play() Stop() Seek(30)", "", "30 0:00:30:00");
        row("stop lands a frame early", "land -0.04 begin 30 at 80 PlayLoop Stop", "Play() Stop() Seek(30)",
            "", "30 0:00:29:96");
        row("pause halts", "Pause", "Pause()", "paused");
        row("pause, pause resumes", "Pause Pause", "Pause() Play()", "");
        row("pause, play resumes and the next pause halts", "Pause Play Pause", "Pause() Play() Pause()",
            "paused");
        row("play loop then stop leaves loop mode", "PlayLoop Stop", "Play() Stop() Seek(0)", "");
        row("play loop then play leaves loop mode", "PlayLoop Play", "Play() Play()", "");
        row("pause, play loop clears paused", "Pause PlayLoop", "Pause() Play()", "loop");
        // Open plays while Paused stays set, so the first Pause plays again and only the
        // second one halts.
        row("pause, open, pause, pause", "Pause Open Pause Pause",
            qPrintable(QString("Pause() %1 Play() Pause()").arg(open)), "paused");
        // After Pause then Stop, the next Pause resumes from the beginning of the loop window.
        row("pause, stop keeps paused, pause resumes", "Pause Stop Pause", "Pause() Stop() Seek(0) Play()",
            "");
        row("skips leave both modes alone", "PlayLoop Pause FForward FForward Rewind",
            "Play() Pause() Seek(5) Seek(10) Seek(5)", "paused loop");
        row("open keeps loop mode", "PlayLoop Open", qPrintable(QString("Play() %1").arg(open)), "loop");
    }
    void commands()
    {
        QFETCH(QString, steps);
        QFETCH(QString, calls);
        QFETCH(QString, modes);
        QFETCH(QString, shown);
        Rig rig;
        rig.openMovie("/movies/hundred.mp4");
        const QStringList words = steps.split(' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (words[i] == "at") {
                rig.player.position = words[++i].toDouble();
                rig.position.setValue(int(rig.player.position));
            } else if (words[i] == "begin") {
                rig.begin.setValue(words[++i].toInt());
            } else if (words[i] == "land") {
                rig.player.landingOffset = words[++i].toDouble();
            } else {
                if (words[i] == "Open")
                    rig.desktop.fileAnswers << "/movies/hundred.mp4";
                const auto run = commandByName().value(words[i]);
                QVERIFY2(run, qPrintable(words[i]));
                (rig.commands.*run)();
            }
        }
        QCOMPARE(rig.player.calls.join(' '), calls);
        QCOMPARE(QString("%1 %2")
                     .arg(rig.state.Paused ? "paused" : "", rig.state.LoopPlay ? "loop" : "")
                     .trimmed(),
                 modes);
        if (!shown.isEmpty())
            QCOMPARE(QString("%1 %2").arg(rig.position.value()).arg(rig.preview.text()), shown);
    }

    // 124.5 s rounds to the even 124.
    void openFitsTheTimeSliders()
    {
        const QString path = "/movies/short.mp4";
        const int maximum = 124;
        Rig rig;
        rig.desktop.fileAnswers << path;
        rig.commands.Open();
        for (QSlider* slider : {&rig.position, &rig.begin, &rig.end})
            QCOMPARE(slider->maximum(), maximum);
        QCOMPARE(rig.position.value(), 0);
        QCOMPARE(rig.begin.value(), 0);
        QCOMPARE(rig.end.value(), maximum);
        QCOMPARE(rig.player.calls, (QStringList{"setActive(true)", QString("setFileName(%1)").arg(path),
                                                "setVolume(0)", "Play()"}));
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
