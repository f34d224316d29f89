#include "fakes/FakeMoviePlayer.h"
#include "playback/LoopWindow.h"
#include "playback/PlaybackState.h"
#include "playback/PlayerLoopWindow.h"
#include "playback/PositionTracker.h"
#include "playback/TimeAxis.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

class GrabbableSlider : public QSlider
{
public:
    GrabbableSlider() : QSlider(Qt::Horizontal) {}
    QPoint handleCentre() const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center();
    }
};

} // namespace

class PositionTest : public QObject
{
    Q_OBJECT

private slots:
    // Each row runs steps (a position report from the player, the user grabbing the thumb and
    // moving it, letting go) and checks the time label, the thumb and the player calls. The
    // player starts at 42.4 s. Only a drop strictly inside the loop window seeks; any other drop
    // puts the thumb back on the playing position. Reports while the thumb is held keep the
    // label current but leave the thumb where it is held, and do not wrap the loop.
    void reportsAndDrags_data()
    {
        QTest::addColumn<bool>("loopPlay");
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, bool loop, int begin, int end, const char* steps,
                            const char* outcome) {
            QTest::newRow(name) << loop << begin << end << QString(steps) << QString(outcome);
        };
        row("loop, 19.4 inside", true, 10, 20, "report 19.4", "0:00:19:40 19 |");
        row("loop, 19.6 wraps", true, 10, 20, "report 19.6", "0:00:19:60 20 | Seek(10)");
        row("play, 19.6 runs on", false, 10, 20, "report 19.6", "0:00:19:60 20 |");
        row("loop, 19.5 to even 20", true, 10, 20, "report 19.5", "0:00:19:50 20 | Seek(10)");
        row("loop, 20.5 to even 20", true, 10, 21, "report 20.5", "0:00:20:50 20 |");
        row("loop, before the window", true, 10, 20, "report 3", "0:00:03:00 3 |");
        row("loop, begin past end", true, 30, 20, "report 25", "0:00:25:00 25 | Seek(30)");
        const char* undone = "0:00:00:00 42 | Pause() Play()";
        row("drop inside", false, 0, 100, "grab 30 release", "0:00:00:00 30 | Pause() Seek(30) Play()");
        row("drop at 0", false, 0, 100, "grab 0 release", undone);
        row("drop on the loop begin", false, 10, 20, "grab 10 release", undone);
        row("drop before the end", false, 10, 20, "grab 19 release",
            "0:00:00:00 19 | Pause() Seek(19) Play()");
        row("drop on the loop end", false, 10, 20, "grab 20 release", undone);
        row("drop, begin past end", false, 30, 20, "grab 25 release", undone);
        row("play, report while held", false, 10, 20, "grab 15 report 17.25", "0:00:17:25 15 | Pause()");
        row("play, report after the drop", false, 10, 20, "grab 15 report 17.25 release report 18.2",
            "0:00:18:20 18 | Pause() Seek(15) Play()");
        row("loop, held past the end", true, 10, 20, "grab 25 report 17.25", "0:00:17:25 25 | Pause()");
        row("loop, report after the drop", true, 10, 20, "grab 25 report 17.25 release report 18.2",
            "0:00:18:20 18 | Pause() Play()");
    }
    void reportsAndDrags()
    {
        QFETCH(bool, loopPlay);
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(QString, steps);
        QFETCH(QString, outcome);
        FakeMoviePlayer player;
        player.position = 42.4;
        PlaybackState state{loopPlay, false};
        TimeAxis axis(begin, end);
        PositionTracker tracker(player, state, axis.controls());
        const QStringList words = steps.split(' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (words[i] == "report")
                player.reportPosition(words[++i].toDouble());
            else if (words[i] == "grab")
                axis.grabPositionAndMoveTo(words[++i].toInt());
            else
                axis.releasePosition();
        }
        QCOMPARE(QString("%1 %2 | %3")
                     .arg(axis.lblPreviewTime.text())
                     .arg(axis.sldPosition.value())
                     .arg(player.calls.join(' '))
                     .trimmed(),
                 outcome);
    }

    // Letting go of the thumb resumes a halted movie, so the state must say it plays: the next
    // Pause then halts, and the desktop is told the movie plays.
    void lettingGoOfTheThumbLeavesTheMoviePlaying_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("playing");
        QTest::newRow("held") << "grab 30" << true << false;
        QTest::newRow("dropped inside") << "grab 30 release" << false << true;
        QTest::newRow("dropped outside the loop window") << "grab 5 release" << false << true;
    }
    void lettingGoOfTheThumbLeavesTheMoviePlaying()
    {
        QFETCH(QString, steps);
        QFETCH(bool, paused);
        QFETCH(bool, playing);
        FakeMoviePlayer player;
        PlaybackState state{false, true, false};
        TimeAxis axis(10, 90);
        PositionTracker tracker(player, state, axis.controls());
        axis.grabPositionAndMoveTo(steps.split(' ').at(1).toInt());
        if (steps.endsWith("release"))
            axis.releasePosition();
        QCOMPARE(state.Paused, paused);
        QCOMPARE(state.Playing, playing);
    }

    // A drag with the mouse is announced by the slider as the tracker expects.
    void mouseDragSeeksWhereTheThumbIsDropped()
    {
        FakeMoviePlayer player;
        PlaybackState state;
        TimeAxis axis(0, 100);
        GrabbableSlider sldPosition;
        sldPosition.setRange(0, 100);
        sldPosition.resize(400, 30);
        sldPosition.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sldPosition));
        TimeControls controls = axis.controls();
        controls.sldPosition = &sldPosition;
        PositionTracker tracker(player, state, controls);

        const QPoint grab = sldPosition.handleCentre();
        QTest::mousePress(&sldPosition, Qt::LeftButton, {}, grab);
        QCOMPARE(player.calls, QStringList{"Pause()"});
        QTest::mouseMove(&sldPosition, grab + QPoint(200, 0));
        QTest::mouseRelease(&sldPosition, Qt::LeftButton, {}, grab + QPoint(200, 0));
        const int dropped = sldPosition.value();
        QVERIFY2(dropped > 30 && dropped < 70, qPrintable(QString::number(dropped)));
        QCOMPARE(player.calls, QStringList({"Pause()", QStringLiteral("Seek(%1)").arg(dropped), "Play()"}));
    }

    void loopWindow_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("end");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("newBegin");
        QTest::addColumn<int>("newEnd");
        const QString back = "tlbCmdLoopWinBack";
        const QString forward = "tlbCmdLoopWinForward";
        QTest::newRow("forward") << 100 << 5 << 9 << QStringList{forward} << 6 << 10;
        QTest::newRow("back to 0") << 100 << 1 << 9 << QStringList{back} << 0 << 8;
        QTest::newRow("back refused at 0") << 100 << 0 << 9 << QStringList{back} << 0 << 9;
        QTest::newRow("forward to the end") << 100 << 5 << 99 << QStringList{forward} << 6 << 100;
        QTest::newRow("forward refused at the end") << 100 << 5 << 100 << QStringList{forward} << 5 << 100;
        QTest::newRow("shorter movie") << 30 << 5 << 30 << QStringList{forward, back} << 4 << 29;
        QTest::newRow("begin past end") << 100 << 30 << 20 << QStringList{back, back} << 28 << 18;
    }
    void loopWindow()
    {
        QFETCH(int, length);
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(QStringList, commands);
        QFETCH(int, newBegin);
        QFETCH(int, newEnd);
        TimeAxis axis(begin, end, length);
        axis.sldPosition.setValue(7);
        LoopWindow window(axis.controls());
        for (const QString& command : commands)
            QVERIFY(QMetaObject::invokeMethod(&window, qPrintable(command)));
        QCOMPARE(axis.sldBegin.value(), newBegin);
        QCOMPARE(axis.sldEnd.value(), newEnd);
        QCOMPARE(axis.sldPosition.value(), 7);
    }

    // In loop mode the player gets the loop window to wrap by itself, from sldBegin at the point
    // where the rounded position reaches sldEnd, half a second before it; once per change, at
    // the next report. The movie is 100 s long unless the steps say otherwise.
    void playerLoopWindow_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("loop 10-20") << "loop 10 20 report" << QStringList{"SetLoopWindow(10,19.5)"};
        QTest::newRow("once per change") << "loop 10 20 report report report"
                                         << QStringList{"SetLoopWindow(10,19.5)"};
        QTest::newRow("nothing before a report") << "loop 10 20" << QStringList{};
        QTest::newRow("end moved") << "loop 10 20 report window 10 30 report"
                                   << QStringList{"SetLoopWindow(10,19.5)", "SetLoopWindow(10,29.5)"};
        QTest::newRow("begin moved") << "loop 10 20 report window 12 20 report"
                                     << QStringList{"SetLoopWindow(10,19.5)", "SetLoopWindow(12,19.5)"};
        QTest::newRow("plain play") << "play 10 20 report" << QStringList{};
        QTest::newRow("loop, then plain play") << "loop 10 20 report play 10 20 report"
                                               << QStringList{"SetLoopWindow(10,19.5)", "SetLoopWindow(0,0)"};
        QTest::newRow("one second") << "loop 19 20 report" << QStringList{"SetLoopWindow(19,19.5)"};
        QTest::newRow("begin on end") << "loop 20 20 report" << QStringList{};
        QTest::newRow("begin past end") << "loop 30 20 report" << QStringList{};
        QTest::newRow("reversed after a window") << "loop 10 20 report window 30 20 report"
                                                 << QStringList{"SetLoopWindow(10,19.5)", "SetLoopWindow(0,0)"};
        QTest::newRow("end inside the movie's last half second") << "length 19.6 loop 10 20 report"
                                                                 << QStringList{"SetLoopWindow(10,19.5)"};
        // The rounded position of a 19.4 s movie never reaches 20: playback stops at its end.
        QTest::newRow("end past the movie") << "length 19.4 loop 10 20 report" << QStringList{};
    }
    void playerLoopWindow()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        player.duration = 100;
        PlaybackState state;
        TimeAxis axis(0, 100);
        PlayerLoopWindow loopWindow(player, state, axis.controls());
        const QStringList words = steps.split(' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (words[i] == "length") {
                player.duration = words[++i].toDouble();
            } else if (words[i] == "report") {
                player.reportPosition(15);
            } else {
                state.LoopPlay = words[i] == "loop" || (words[i] == "window" && state.LoopPlay);
                axis.sldBegin.setValue(words[++i].toInt());
                axis.sldEnd.setValue(words[++i].toInt());
            }
        }
        QCOMPARE(player.calls, calls);
    }
};

QTEST_MAIN(PositionTest)
#include "tst_position.moc"
