#include "common/Rounding.h"
#include "playback/PlaybackState.h"
#include "playback/PlayerLoopWindow.h"
#include "playback/PositionTracker.h"
#include "playback/TimeAxis.h"
#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QTest>

#include <optional>

// Play Loop on the real player keeps playback inside the window: through the position tracker's
// seeks alone, or with the player wrapping by itself (then before the rounded position reaches
// the end, at 4.5 s).
class PositionOnMpvTest : public QObject
{
    Q_OBJECT

private slots:
    void playLoopStaysInsideTheWindow_data()
    {
        QTest::addColumn<qint16>("tempo");
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<bool>("playerWraps");
        QTest::newRow("neutral") << qint16(0) << 15000 << false;
        // Slower, and every wrap is a seek through the stretcher.
        QTest::newRow("tempo -30") << qint16(-30) << 20000 << false;
        QTest::newRow("neutral, the player wraps") << qint16(0) << 15000 << true;
        QTest::newRow("tempo -30, the player wraps") << qint16(-30) << 20000 << true;
    }
    void playLoopStaysInsideTheWindow()
    {
        QFETCH(qint16, tempo);
        QFETCH(int, milliseconds);
        QFETCH(bool, playerWraps);
        TestMedia::Movie movie;
        movie.seconds = 10;
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.SetTempo(tempo);
        player.setFileName(TestMedia::movie(movie));
        QVERIFY(player.Duration() > 0);
        TimeAxis axis(2, 5, roundHalfEven(player.Duration()));
        PlaybackState state{true, false};
        PositionTracker tracker(player, state, axis.controls());
        std::optional<PlayerLoopWindow> playerLoop;
        if (playerWraps)
            playerLoop.emplace(player, state, axis.controls());
        QList<double> reports;
        connect(&player, &MoviePlayer::PositionChange, this, [&](double position) { reports << position; });

        player.Seek(2);
        player.Play();
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
            QTest::qWait(20);
        player.Pause();

        int wraps = 0;
        for (qsizetype i = 0; i < reports.size(); ++i) {
            const int second = roundHalfEven(reports[i]);
            QVERIFY2(second >= axis.sldBegin.value() && second <= axis.sldEnd.value(),
                     qPrintable(QString::number(reports[i])));
            // Apart from the first report, which hands the window over.
            if (playerWraps && i > 0)
                QVERIFY2(reports[i] < 4.5, qPrintable(QString::number(reports[i])));
            if (i > 0 && reports[i] < reports[i - 1] - 1)
                ++wraps;
        }
        QVERIFY2(wraps >= 4, qPrintable(QString::number(wraps)));
    }
};

QTEST_MAIN(PositionOnMpvTest)
#include "tst_position_mpv.moc"
