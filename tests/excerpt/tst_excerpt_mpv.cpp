#include "excerpt/ExcerptRig.h"
#include "playback/TransportCommands.h"
#include "playback/PositionTracker.h"
#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QTest>

// Save an excerpt of a movie on the real player, change everything, load it: the window and
// playback come back.
class ExcerptOnMpvTest : public QObject
{
    Q_OBJECT

    static void open(ExcerptRig<MpvMoviePlayer>& rig, const QString& movie)
    {
        TransportCommands transport(rig.player, rig.state, rig.time.controls(), rig.desktop, nullptr);
        transport.openMovie(movie, TransportCommands::AfterFailure::Stop);
    }

private slots:
    void saveChangeLoad_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::newRow("loop mode") << true;
        QTest::newRow("play mode") << false;
    }
    void saveChangeLoad()
    {
        QFETCH(bool, loop);
        const QString movie = TestMedia::movie({.seconds = 8});
        const QString otherMovie = TestMedia::movie({.seconds = 5, .toneHz = 880});
        QVERIFY(!movie.isEmpty() && !otherMovie.isEmpty());
        const QString excerpt = TestMedia::outputPath("practice.rqx");
        ExcerptRig<MpvMoviePlayer> rig(
            MpvPlayerOptions{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        PositionTracker tracker(rig.player, rig.state, rig.time.controls());

        open(rig, movie);
        QCOMPARE(rig.time.sldEnd.maximum(), 8);
        rig.state.LoopPlay = loop;
        rig.time.sldBegin.setValue(2);
        rig.time.sldEnd.setValue(4);
        rig.time.sldPosition.setValue(3);
        rig.sound.setValues({-30, 0, -75, 120});
        rig.save(excerpt);
        QCOMPARE(rig.desktop.messages.size(), 0);

        open(rig, otherMovie);
        rig.state.LoopPlay = !loop;
        rig.sound.setValues({25, 4, 0, 80});
        rig.player.Seek(4.5);
        rig.player.Play();
        QTest::qWait(300);

        rig.load(excerpt);
        QCOMPARE(rig.desktop.messages.size(), 0);
        QCOMPARE(rig.player.FileName(), movie);
        QCOMPARE(rig.state.LoopPlay, loop);
        QCOMPARE(rig.timeSliders(), (QList<int>{8, 3, 8, 2, 8, 4}));
        QCOMPARE(rig.sound.values(), (QList<int>{-30, 0, -75, 120}));
        QCOMPARE(rig.sound.labels(), (QStringList{"70%", "0", "-1.50", "120%"}));
        QCOMPARE(rig.player.Position(), 3.0);

        // At 0.7 x 1.2 of normal speed a second of movie takes about 1.2 s; every wrap is a seek
        // through the stretcher, which can take long while other programs load the machine.
        QList<double> reports;
        connect(&rig.player, &MoviePlayer::PositionChange, this,
                [&](double position) { reports << position; });
        const auto wrapped = [&reports] {
            for (qsizetype i = 1; i < reports.size(); ++i) {
                if (reports[i] < reports[i - 1] - 1)
                    return true;
            }
            return false;
        };
        const auto latest = [&reports] {
            return reports.isEmpty() ? 0.0 : *std::max_element(reports.begin(), reports.end());
        };
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000 && !wrapped() && latest() <= 5)
            QTest::qWait(20);
        const QString seen = QString::number(latest());
        if (loop) {
            QVERIFY2(wrapped(), qPrintable("no wrap to the loop window's beginning; latest " + seen));
            QVERIFY2(latest() < 4.5, qPrintable(seen));
        } else {
            QVERIFY(!wrapped());
            QVERIFY2(latest() > 5, qPrintable(seen));
        }
    }
};

QTEST_MAIN(ExcerptOnMpvTest)
#include "tst_excerpt_mpv.moc"
