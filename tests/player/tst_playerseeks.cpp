#include "player/MpvMoviePlayer.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Targets just before the next keyframe of a movie with one every ten seconds: an exact seek
// there decodes nine seconds of picture and sound before it can play.
constexpr double targets[] = {9.0, 19.0, 8.5, 18.5, 9.5, 19.5, 8.0, 18.0};

// Median milliseconds from Seek while playing to the first position report at the target.
double medianSeekMs(int tempo, double semitones)
{
    MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
    player.SetTempo(qint16(tempo));
    player.SetPitch(semitones);
    player.setFileName(TestMedia::movie({.seconds = 21, .keyframeSeconds = 10}));
    player.Play();
    QSignalSpy reports(&player, &MoviePlayer::PositionChange);
    if (!reports.wait(5000))
        return NAN;
    std::vector<double> times;
    for (const double target : targets) {
        QElapsedTimer clock;
        clock.start();
        player.Seek(target);
        reports.clear();
        while (clock.elapsed() < 10000) {
            if (reports.isEmpty() && !reports.wait(10000 - static_cast<int>(clock.elapsed())))
                break;
            const double reported = reports.takeFirst().at(0).toDouble();
            if (std::abs(reported - target) < 0.25) {
                times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
                break;
            }
        }
    }
    if (times.size() != std::size(targets))
        return NAN;
    std::sort(times.begin(), times.end());
    return (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
}

} // namespace

class PlayerSeeksTest : public QObject
{
    Q_OBJECT

private slots:
    // A musician at slow tempo jumps between marks as quickly as at normal speed. Measured on a
    // movie with ten seconds between keyframes: feeding the sound from the keyframe through the
    // stretcher made these seeks 5-10 times slower than at neutral settings; reading the sound
    // on its own brings them within 1.5 times. The bound of 3 leaves room for a busy machine.
    void slowTempoSeeksAsQuicklyAsNeutral_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("semitones");
        QTest::newRow("tempo -30") << -30 << 0.0;
        QTest::newRow("tempo -30, pitch +3") << -30 << 3.0;
        QTest::newRow("pitch +3") << 0 << 3.0;
    }
    void slowTempoSeeksAsQuicklyAsNeutral()
    {
        QFETCH(int, tempo);
        QFETCH(double, semitones);
        const double neutral = medianSeekMs(0, 0);
        const double stretched = medianSeekMs(tempo, semitones);
        qInfo("%s: %.0f ms, neutral %.0f ms", QTest::currentDataTag(), stretched, neutral);
        QVERIFY2(std::isfinite(neutral) && std::isfinite(stretched), "a seek did not arrive");
        QVERIFY2(stretched < 3.0 * neutral,
                 qPrintable(QStringLiteral("%1 ms against %2 ms").arg(stretched).arg(neutral)));
    }

    // Seeks in quick succession (a skip key held down, the position slider let go again and
    // again) can come quicker than any seek at slow tempo finishes. The movie must still be seen
    // moving, and end up at the last target, playing on from there.
    void seeksQuickerThanTheyFinishStillMoveTheMovie()
    {
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.SetTempo(-50);
        player.setFileName(TestMedia::movie({.seconds = 21, .keyframeSeconds = 10}));
        player.Play();
        QSignalSpy reports(&player, &MoviePlayer::PositionChange);
        QVERIFY(reports.wait(5000));

        reports.clear();
        QElapsedTimer clock;
        clock.start();
        double lastTarget = 0;
        for (int i = 0; clock.elapsed() < 3000; ++i) {
            lastTarget = (i % 2 == 0) ? 9.0 + 0.01 * i : 19.0 - 0.01 * i;
            player.Seek(lastTarget);
            QCOMPARE(player.Position(), lastTarget);
            QTest::qWait(20);
        }
        const qsizetype reportsDuringDrag = reports.size();
        QVERIFY2(reportsDuringDrag >= 3, qPrintable(QString::number(reportsDuringDrag)));

        // Once the drag is over, playback goes on from its last target.
        QTest::qWait(1500);
        QVERIFY(!reports.isEmpty());
        const double last = reports.last().at(0).toDouble();
        QVERIFY2(last > lastTarget && last < lastTarget + 1.5,
                 qPrintable(QStringLiteral("%1 after a drag to %2").arg(last).arg(lastTarget)));
    }
};

QTEST_MAIN(PlayerSeeksTest)
#include "tst_playerseeks.moc"
