#include "player/MpvMoviePlayer.h"
#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QElapsedTimer>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

// Sound-only movies: with no picture to pace it, the WAV output runs as fast as mpv decodes.
QString toneMovie(double hz, double seconds = 4.0)
{
    return TestMedia::movie({.seconds = seconds, .toneHz = hz, .withPicture = false});
}

// Plays until the movie halts at its end. The time-stretcher holds back its last few tens of
// milliseconds, so the end is where the position stops moving, close to the duration.
bool playToTheEnd(MpvMoviePlayer& player)
{
    player.Play();
    QElapsedTimer timer, still;
    timer.start();
    still.start();
    double last = -1;
    while (timer.elapsed() < 30000) {
        QTest::qWait(20);
        if (player.Position() != last) {
            last = player.Position();
            still.restart();
        } else if (last > player.Duration() - 0.5 && still.elapsed() > 400) {
            return true;
        }
    }
    return false;
}

// Plays the movies one after another, calling `between` before each, and returns everything the
// player sent to its sound output.
std::optional<PcmAudio> capture(const QStringList& movies,
                                const std::function<void(MoviePlayer&, int)>& between)
{
    const QString wave = TestMedia::outputPath("capture.wav");
    {
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
        for (int i = 0; i < movies.size(); ++i) {
            player.setFileName(movies[i]);
            between(player, i);
            if (player.Duration() <= 0 || !playToTheEnd(player))
                return std::nullopt;
        }
        player.Close(); // ends the WAV file
    }
    return PcmAudio::readWav(wave);
}

std::function<void(MoviePlayer&, int)> stretched(int tempo, double semitones, double rate)
{
    return [=](MoviePlayer& player, int) {
        player.SetTempo(qint16(tempo));
        player.SetPitch(semitones);
        player.setRate(rate);
    };
}

double positionSpeed(MpvMoviePlayer& player, int milliseconds)
{
    QTest::qWait(300);
    QElapsedTimer wall;
    wall.start();
    const double start = player.Position();
    QTest::qWait(milliseconds);
    return (player.Position() - start) / (static_cast<double>(wall.elapsed()) / 1000.0);
}

} // namespace

class PlayerSoundTest : public QObject
{
    Q_OBJECT

private slots:
    // Pitch within 5 cents, length as the speed asks, and a clean tone: the movie's own sound
    // (AAC) measures about 61 dB SINAD here, a coarser stretcher 35-49 dB.
    void pitchSpeedAndCleanness_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("expectedSpeed"); // seconds of movie per second of output
        QTest::newRow("as recorded") << 0 << 0 << 1.0 << 1.0;
        QTest::newRow("tempo +50") << 50 << 0 << 1.0 << 1.5;
        QTest::newRow("tempo -50, pitch -2") << -50 << -2 << 1.0 << 0.5;
        QTest::newRow("tempo -80") << -80 << 0 << 1.0 << 0.2;
        QTest::newRow("pitch +3") << 0 << 3 << 1.0 << 1.0;
        QTest::newRow("pitch -12") << 0 << -12 << 1.0 << 1.0;
        QTest::newRow("rate 0.5") << 0 << 0 << 0.5 << 0.5;
        QTest::newRow("rate 1.5") << 0 << 0 << 1.5 << 1.5;
        QTest::newRow("tempo -30, pitch +2, rate 1.1") << -30 << 2 << 1.1 << 0.7 * 1.1;
    }
    void pitchSpeedAndCleanness()
    {
        QFETCH(int, tempo);
        QFETCH(int, semitones);
        QFETCH(double, rate);
        QFETCH(double, expectedSpeed);
        const auto audio = capture({toneMovie(440)}, stretched(tempo, semitones, rate));
        QVERIFY(audio);
        const std::vector<float> steady = audio->channel(0, 0.5, audio->seconds() - 0.5);
        const double expectedHz = 440 * rate * std::exp2(semitones / 12.0);
        const double cents =
            ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), expectedHz);
        const double speed = 4.0 / audio->seconds();
        const double sinad = ToneAnalysis::sinadDecibels(steady, audio->sampleRate, expectedHz);
        const double spread = ToneAnalysis::levelSpreadDecibels(steady, audio->sampleRate, expectedHz);
        qInfo("%s: %+.4f cents, speed %.4f, SINAD %.1f dB, level spread %.2f dB", QTest::currentDataTag(),
              cents, speed, sinad, spread);
        QVERIFY2(std::abs(cents) < 5, qPrintable(QString::number(cents)));
        QVERIFY2(std::abs(speed / expectedSpeed - 1) < 0.03, qPrintable(QString::number(speed)));
        QVERIFY2(sinad > 50, qPrintable(QString::number(sinad)));
        QVERIFY2(spread < 1, qPrintable(QString::number(spread)));
    }

    // Fractions of a semitone reach the sound as they are, to a hundredth of a cent: the fine
    // pitch slider's 2-cent steps, alone and with tempo and rate.
    void finePitch_data()
    {
        QTest::addColumn<double>("semitones");
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("cents"); // away from the movie's 440 Hz
        QTest::newRow("+2 cents") << 0.02 << 0 << 1.0 << 2.0;
        QTest::newRow("+52 cents") << 0.52 << 0 << 1.0 << 52.0;
        QTest::newRow("-150 cents") << -1.5 << 0 << 1.0 << -150.0;
        QTest::newRow("+1200 cents") << 12.0 << 0 << 1.0 << 1200.0;
        // Rate 0.7 lowers the pitch by 617.48781 cents on top.
        QTest::newRow("+2 cents, tempo -30, rate 0.7") << 0.02 << -30 << 0.7 << -615.48781;
        QTest::newRow("+52 cents, tempo -30, rate 0.7") << 0.52 << -30 << 0.7 << -565.48781;
        QTest::newRow("-150 cents, tempo -30, rate 0.7") << -1.5 << -30 << 0.7 << -767.48781;
        QTest::newRow("+1200 cents, tempo -30, rate 0.7") << 12.0 << -30 << 0.7 << 582.51219;
    }
    void finePitch()
    {
        QFETCH(double, semitones);
        QFETCH(int, tempo);
        QFETCH(double, rate);
        QFETCH(double, cents);
        const auto audio = capture({toneMovie(440, 3)}, stretched(tempo, semitones, rate));
        QVERIFY(audio);
        const std::vector<float> steady = audio->channel(0, 0.5, audio->seconds() - 0.5);
        const double measured = ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), 440);
        qInfo("%s: %+.4f cents", QTest::currentDataTag(), measured);
        QVERIFY2(std::abs(measured - cents) < 0.01, qPrintable(QString::number(measured, 'f', 4)));
    }

    void volume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("readBack");
        QTest::newRow("-6 dB") << -600 << -600;
        QTest::newRow("-45 dB") << -4500 << -4500;
        QTest::newRow("-95 dB") << -9500 << -9500;
        QTest::newRow("silence") << -10000 << -10000;
        QTest::newRow("below silence") << -12000 << -10000;
        QTest::newRow("above full") << 700 << 0;
    }
    void volume()
    {
        QFETCH(int, volume);
        QFETCH(int, readBack);
        int read = 1;
        const auto reference = capture({toneMovie(440, 2)}, [](MoviePlayer&, int) {});
        const auto attenuated = capture({toneMovie(440, 2)}, [&](MoviePlayer& player, int) {
            player.setVolume(volume);
            read = player.Volume();
        });
        QVERIFY(reference && attenuated);
        QCOMPARE(read, readBack);
        QVERIFY(attenuated->seconds() > 1.5);
        if (readBack <= -10000) {
            QCOMPARE(ToneAnalysis::rms(attenuated->channel(0)), 0.0);
            return;
        }
        const double level = ToneAnalysis::rmsDecibels(attenuated->channel(0, 0.3, 1.7)) -
                             ToneAnalysis::rmsDecibels(reference->channel(0, 0.3, 1.7));
        QVERIFY2(std::abs(level - readBack / 100.0) < 0.2, qPrintable(QString::number(level)));
    }

    void settingsAreKeptAcrossMovies()
    {
        // Pitch changed after the first movie opens must hold for the next one too.
        const auto audio =
            capture({toneMovie(440, 3), toneMovie(330, 3)}, [](MoviePlayer& player, int movie) {
                if (movie == 0) {
                    player.SetTempo(50);
                    player.SetPitch(3);
                }
            });
        QVERIFY(audio);
        // Each movie lasts 2 s at tempo +50: the first's last second, then the second's.
        const double end = audio->seconds();
        const double first =
            ToneAnalysis::frequency(audio->channel(0, end - 3.3, end - 2.2), audio->sampleRate);
        const double second =
            ToneAnalysis::frequency(audio->channel(0, end - 1.5, end - 0.3), audio->sampleRate);
        QVERIFY2(std::abs(end - 4.0) < 0.15, qPrintable(QString::number(end)));
        QVERIFY2(std::abs(ToneAnalysis::cents(first, 440 * std::exp2(3 / 12.0))) < 5,
                 qPrintable(QString::number(first)));
        QVERIFY2(std::abs(ToneAnalysis::cents(second, 330 * std::exp2(3 / 12.0))) < 5,
                 qPrintable(QString::number(second)));
    }

    void wallClockSpeed_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("whilePlaying");
        QTest::addColumn<double>("expected");
        QTest::newRow("as recorded") << 0 << 1.0 << false << 1.0;
        QTest::newRow("tempo -50") << -50 << 1.0 << false << 0.5;
        QTest::newRow("tempo +20, rate 1.5") << 20 << 1.5 << false << 1.8;
        QTest::newRow("tempo +50 set while playing") << 50 << 1.0 << true << 1.5;
    }
    void wallClockSpeed()
    {
        QFETCH(int, tempo);
        QFETCH(double, rate);
        QFETCH(bool, whilePlaying);
        QFETCH(double, expected);
        // The null output plays in real time, so the position moves at the playback speed.
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        const auto stretch = [&] {
            player.SetTempo(qint16(tempo));
            player.setRate(rate);
        };
        if (!whilePlaying)
            stretch();
        player.setFileName(TestMedia::movie({.seconds = 10}));
        player.Play();
        if (whilePlaying) {
            QVERIFY(std::abs(positionSpeed(player, 1000) - 1) < 0.1);
            stretch();
        }
        const double speed = positionSpeed(player, 2000);
        qInfo("%s: %.3f x wall clock", QTest::currentDataTag(), speed);
        QVERIFY2(std::abs(speed / expected - 1) < 0.1, qPrintable(QString::number(speed)));
        if (whilePlaying) {
            player.SetTempo(0);
            QVERIFY(std::abs(positionSpeed(player, 1000) - 1) < 0.1);
        }
    }
};

QTEST_MAIN(PlayerSoundTest)
#include "tst_playersound.moc"
