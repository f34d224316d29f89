#include "common/TimeText.h"
#include "fakes/FakeMoviePlayer.h"
#include "playback/LoopWindow.h"
#include "playback/PlaybackState.h"
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
    void positionReport_data()
    {
        QTest::addColumn<bool>("loopPlay");
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("end");
        QTest::addColumn<double>("report");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("calls");
        const QStringList none;
        QTest::newRow("59.6") << false << 0 << 100 << 59.6 << "0:00:59:60" << 60 << none;
        // 19.4 has no exact binary form, and TimeText truncates what lies just below 19.40.
        QTest::newRow("loop, 19.4 inside") << true << 10 << 20 << 19.4 << TimeText(19.4) << 19 << none;
        QTest::newRow("loop, 19.6 wraps")
            << true << 10 << 20 << 19.6 << "0:00:19:60" << 20 << QStringList{"Seek(10)"};
        QTest::newRow("play, 19.6 runs on") << false << 10 << 20 << 19.6 << "0:00:19:60" << 20 << none;
        QTest::newRow("loop, 19.5 to even 20")
            << true << 10 << 20 << 19.5 << "0:00:19:50" << 20 << QStringList{"Seek(10)"};
        QTest::newRow("loop, 20.5 to even 20") << true << 10 << 21 << 20.5 << "0:00:20:50" << 20 << none;
        QTest::newRow("loop, before the window") << true << 10 << 20 << 3.0 << "0:00:03:00" << 3 << none;
        QTest::newRow("loop, begin past end")
            << true << 30 << 20 << 25.0 << "0:00:25:00" << 25 << QStringList{"Seek(30)"};
    }
    void positionReport()
    {
        QFETCH(bool, loopPlay);
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(double, report);
        QFETCH(QString, label);
        QFETCH(int, position);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        const PlaybackState state{loopPlay, false};
        TimeAxis axis(begin, end);
        PositionTracker tracker(player, state, axis.controls());
        player.reportPosition(report);
        QCOMPARE(axis.lblPreviewTime.text(), label);
        QCOMPARE(axis.sldPosition.value(), position);
        QCOMPARE(player.calls, calls);
    }

    // Only a drop strictly inside the loop window seeks; any other drop puts the thumb back on
    // the playing position (42.4). Playback resumes in both cases.
    void dragEnd_data()
    {
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("drop");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("calls");
        const QStringList undone{"Pause()", "Play()"};
        QTest::newRow("inside") << 0 << 100 << 30 << 30 << QStringList{"Pause()", "Seek(30)", "Play()"};
        QTest::newRow("at 0") << 0 << 100 << 0 << 42 << undone;
        QTest::newRow("at the maximum") << 0 << 100 << 100 << 42 << undone;
        QTest::newRow("on the loop begin") << 10 << 20 << 10 << 42 << undone;
        QTest::newRow("just before the end")
            << 10 << 20 << 19 << 19 << QStringList{"Pause()", "Seek(19)", "Play()"};
        QTest::newRow("on the loop end") << 10 << 20 << 20 << 42 << undone;
        QTest::newRow("begin past end") << 30 << 20 << 25 << 42 << undone;
    }
    void dragEnd()
    {
        QFETCH(int, begin);
        QFETCH(int, end);
        QFETCH(int, drop);
        QFETCH(int, position);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        player.position = 42.4;
        const PlaybackState state;
        TimeAxis axis(begin, end);
        PositionTracker tracker(player, state, axis.controls());
        axis.grabPositionAndMoveTo(drop);
        axis.releasePosition();
        QCOMPARE(axis.sldPosition.value(), position);
        QCOMPARE(player.calls, calls);
    }

    // Reports that arrive while the user holds the thumb keep the time label current but leave
    // the thumb where the user holds it, and do not wrap the loop.
    void reportsDoNotFightTheDrag_data()
    {
        QTest::addColumn<bool>("loopPlay");
        QTest::addColumn<int>("held");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("play, held inside") << false << 15 << QStringList{"Pause()", "Seek(15)", "Play()"};
        QTest::newRow("loop, held past the end") << true << 25 << QStringList{"Pause()", "Play()"};
    }
    void reportsDoNotFightTheDrag()
    {
        QFETCH(bool, loopPlay);
        QFETCH(int, held);
        QFETCH(QStringList, calls);
        FakeMoviePlayer player;
        const PlaybackState state{loopPlay, false};
        TimeAxis axis(10, 20);
        PositionTracker tracker(player, state, axis.controls());
        axis.grabPositionAndMoveTo(held);
        player.reportPosition(17.25);
        QCOMPARE(axis.lblPreviewTime.text(), "0:00:17:25");
        QCOMPARE(axis.sldPosition.value(), held);
        axis.releasePosition();
        QCOMPARE(player.calls, calls);
        player.reportPosition(18.2);
        QCOMPARE(axis.sldPosition.value(), 18);
    }

    // A drag with the mouse is announced by the slider as the tracker expects.
    void mouseDragSeeksWhereTheThumbIsDropped()
    {
        FakeMoviePlayer player;
        const PlaybackState state;
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
        QTest::newRow("forward, then back") << 100 << 5 << 9 << QStringList{forward, back} << 5 << 9;
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
};

QTEST_MAIN(PositionTest)
#include "tst_position.moc"
