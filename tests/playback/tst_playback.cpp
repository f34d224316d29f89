#include "fakes/FakeDesktop.h"
#include "fakes/FakeMoviePlayer.h"
#include "playback/LoopWindow.h"
#include "playback/PlaybackState.h"
#include "playback/PlayerLoopWindow.h"
#include "playback/PositionTracker.h"
#include "playback/TransportCommands.h"

#include <QLabel>
#include <QSlider>
#include <QTest>

#include <optional>

// The transport commands, the position reaction and the loop window on bare time sliders, as the
// main window wires them: a recording player halted at 42.4 s of a 100 s movie, loop window 10-20.
struct PlaybackRig
{
    QSlider sldPosition, sldBegin, sldEnd;
    QLabel lblPreviewTime{"0:00:00:00"};
    TimeControls time{&sldPosition, &sldBegin, &sldEnd, &lblPreviewTime};
    FakeMoviePlayer player;
    FakeDesktop desktop;
    PlaybackState state;
    TransportCommands commands{player, state, time, desktop, nullptr};
    PositionTracker tracker{player, state, time};
    LoopWindow loopWindow{time};
    std::optional<PlayerLoopWindow> playerWraps;

    PlaybackRig()
    {
        for (QSlider* slider : {&sldPosition, &sldBegin, &sldEnd})
            slider->setRange(0, 100);
        sldPosition.setValue(42);
        sldBegin.setValue(10);
        sldEnd.setValue(20);
        player.duration = 100;
        player.position = 42.4;
    }

    // Steps: a command; "at s" (the player and the thumb are there); "window b e"; "length s" (of
    // the movie); "report s" (from the player); "grab v" (the user takes the thumb and moves it);
    // "release".
    void run(const QString& steps)
    {
        const QHash<QString, void (TransportCommands::*)()> transport{
            {"Play", &TransportCommands::Play},     {"PlayLoop", &TransportCommands::PlayLoop},
            {"Pause", &TransportCommands::Pause},   {"Stop", &TransportCommands::Stop},
            {"Rewind", &TransportCommands::Rewind}, {"FForward", &TransportCommands::FForward}};
        const QStringList words = steps.split(' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString& word = words[i];
            const auto next = [&] { return words[++i].toDouble(); };
            if (word == "at") {
                player.position = next();
                sldPosition.setValue(int(player.position));
            } else if (word == "window") {
                sldBegin.setValue(int(next()));
                sldEnd.setValue(int(next()));
            } else if (word == "length") {
                player.duration = next();
            } else if (word == "report") {
                player.reportPosition(next());
            } else if (word == "grab" || word == "release") {
                sldPosition.setSliderDown(word == "grab");
                if (word == "grab")
                    sldPosition.setValue(int(next()));
            } else if (word == "Back" || word == "Forward") {
                QVERIFY(QMetaObject::invokeMethod(&loopWindow, qPrintable("LoopWin" + word)));
            } else {
                QVERIFY2(transport.contains(word), qPrintable(word));
                (commands.*transport.value(word))();
            }
        }
    }
    // The modes, then each fact the expectation names ("thumb=", "label=", "window=").
    QString seen(const QString& expected) const
    {
        const QStringList facts{state.Paused ? "paused" : "", state.LoopPlay ? "loop" : "",
                                "thumb=" + QString::number(sldPosition.value()),
                                "label=" + lblPreviewTime.text(),
                                QString("window=%1-%2").arg(sldBegin.value()).arg(sldEnd.value())};
        QStringList seen;
        for (const QString& fact : facts) {
            if (!fact.isEmpty() && (!fact.contains('=') || expected.contains(fact.section('=', 0, 0) + '=')))
                seen << fact;
        }
        return seen.join(' ');
    }
};

// Each row runs steps on the rig and checks the player calls and what the user sees.
class PlaybackTest : public QObject
{
    Q_OBJECT

    static void columns()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("sees");
    }
    static void row(const char* name, const char* steps, const char* calls, const char* sees)
    {
        QTest::newRow(name) << steps << calls << sees;
    }
    static void check(bool playerWraps = false)
    {
        QFETCH(QString, steps);
        QFETCH(QString, calls);
        QFETCH(QString, sees);
        PlaybackRig rig;
        if (playerWraps)
            rig.playerWraps.emplace(rig.player, rig.state, rig.time);
        rig.run(steps);
        QCOMPARE(rig.player.calls.join(' '), calls);
        QCOMPARE(rig.seen(sees), sees);
    }

private slots:
    void transport_data()
    {
        columns();
        row("back at exactly 5 s does nothing", "at 5 Rewind", "", "");
        row("back past 5 s", "at 5.25 Rewind", "Seek(0.25)", "");
        row("forward 5.25 s before the end", "at 94.75 FForward", "Seek(99.75)", "");
        row("forward exactly 5 s before the end does nothing", "at 95 FForward", "", "");
        row("stop goes to the loop begin", "at 80 Stop", "Stop() Seek(10)", "thumb=10 label=0:00:10:00");
        row("pause, pause resumes", "Pause Pause", "Pause() Play()", "");
        row("pause, play resumes, pause halts", "Pause Play Pause", "Pause() Play() Pause()", "paused");
        row("play loop clears paused", "Pause PlayLoop", "Pause() Play()", "loop");
        row("stop leaves loop mode", "PlayLoop Stop", "Play() Stop() Seek(10)", "");
        row("play leaves loop mode", "PlayLoop Play", "Play() Play()", "");
        row("stop keeps paused, pause resumes", "Pause Stop Pause", "Pause() Stop() Seek(10) Play()", "");
        row("skips keep both modes", "PlayLoop Pause Rewind", "Play() Pause() Seek(37.4)", "paused loop");
        // The loop window moves by a second keeping its length, never past either end of the movie.
        row("forward twice, back once", "window 5 9 Forward Forward Back", "", "thumb=42 window=6-10");
        row("back to 0, then refused", "window 1 9 Back Back", "", "window=0-8");
        row("forward to the end, then refused", "window 5 99 Forward Forward", "", "window=6-100");
    }
    void transport() { check(); }

    // Reports move the thumb (halves to even) and wrap the loop; only a drop strictly inside the
    // loop window seeks, others put the thumb back on the playing position; letting go always
    // plays. Reports while the thumb is held write the label only.
    void position_data()
    {
        columns();
        row("loop, 19.4 stays", "PlayLoop report 19.4", "Play()", "loop thumb=19 label=0:00:19:40");
        row("loop, 19.6 wraps", "PlayLoop report 19.6", "Play() Seek(10)", "loop thumb=20");
        row("play, 19.6 runs on", "Play report 19.6", "Play()", "thumb=20");
        row("loop, 19.5 to the even 20", "PlayLoop report 19.5", "Play() Seek(10)", "loop");
        row("loop, 20.5 to the even 20", "window 10 21 PlayLoop report 20.5", "Play()", "loop thumb=20");
        row("loop, begin past end", "window 30 20 PlayLoop report 25", "Play() Seek(30)", "loop");
        row("drop inside seeks", "grab 19 release", "Pause() Seek(19) Play()", "thumb=19");
        row("drop on the begin is undone", "grab 10 release", "Pause() Play()", "thumb=42");
        row("drop on the end is undone", "grab 20 release", "Pause() Play()", "thumb=42");
        row("drop after Pause plays", "Pause grab 15 release", "Pause() Pause() Seek(15) Play()", "");
        row("report while held", "grab 15 report 17.25", "Pause()", "thumb=15 label=0:00:17:25");
        row("after the drop", "grab 15 release report 18.2", "Pause() Seek(15) Play()", "thumb=18");
        row("loop, held past the end", "PlayLoop grab 25 report 17", "Play() Pause()", "loop thumb=25");
    }
    void position() { check(); }

    // In loop mode the player gets the loop window to wrap by itself where the rounded position
    // reaches sldEnd, half a second before it; once per change, at the next report. A window it
    // cannot take is left to the position reaction's seek.
    void playerLoopWindow_data()
    {
        columns();
        row("loop 10-20", "PlayLoop report 15", "Play() SetLoopWindow(10,19.5)", "loop");
        row("once per change", "PlayLoop report 15 report 16 window 10 30 report 17",
            "Play() SetLoopWindow(10,19.5) SetLoopWindow(10,29.5)", "loop");
        row("loop, then plain play", "PlayLoop report 15 Play report 16",
            "Play() SetLoopWindow(10,19.5) Play() SetLoopWindow(0,0)", "");
        row("begin on end", "window 20 20 PlayLoop report 15", "Play()", "loop");
        row("movie of 19.6 s", "length 19.6 PlayLoop report 15", "Play() SetLoopWindow(10,19.5)", "loop");
        // The rounded position of a 19.4 s movie never reaches 20: playback stops at its end.
        row("end past the movie", "length 19.4 PlayLoop report 15", "Play()", "loop");
    }
    void playerLoopWindow() { check(true); }
};

QTEST_MAIN(PlaybackTest)
#include "tst_playback.moc"
