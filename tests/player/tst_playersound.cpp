#include "Sound.h"
#include "ToneAnalysis.h"
#include "player/MpvMoviePlayer.h"
#include "sound/SoundPanel.h"
#include "support/TestMedia.h"

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
std::optional<Sound> capture(const QStringList& movies, const std::function<void(MoviePlayer&, int)>& between)
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
    return Sound::read(wave);
}

std::function<void(MoviePlayer&, int)> stretched(int tempo, double semitones, double rate)
{
    return [=](MoviePlayer& player, int) {
        player.SetTempo(qint16(tempo));
        player.SetPitch(semitones);
        player.setRate(rate);
    };
}

} // namespace

class PlayerSoundTest : public QObject
{
    Q_OBJECT

private slots:
    // The pitch to a hundredth of a cent (2-cent steps of the fine pitch included), the length
    // as the speed asks, and a clean tone: the movie's own sound (AAC) measures about 61 dB SINAD
    // here, a coarser stretcher 35-49 dB. Rate 0.7 lowers the pitch by 617.48781 cents on top.
    void pitchSpeedAndCleanness_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("semitones");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("expectedSpeed"); // seconds of movie per second of output
        QTest::addColumn<double>("cents");         // away from the movie's 440 Hz
        QTest::newRow("as recorded") << 0 << 0.0 << 1.0 << 1.0 << 0.0;
        QTest::newRow("tempo -30") << -30 << 0.0 << 1.0 << 0.7 << 0.0;
        QTest::newRow("tempo +50") << 50 << 0.0 << 1.0 << 1.5 << 0.0;
        QTest::newRow("tempo -80") << -80 << 0.0 << 1.0 << 0.2 << 0.0;
        QTest::newRow("pitch +3") << 0 << 3.0 << 1.0 << 1.0 << 300.0;
        QTest::newRow("2 cents up") << 0 << 0.02 << 1.0 << 1.0 << 2.0;
        QTest::newRow("tempo -50, 150 cents down") << -50 << -1.5 << 1.0 << 0.5 << -150.0;
        QTest::newRow("rate 1.5") << 0 << 0.0 << 1.5 << 1.5 << 701.95500;
        QTest::newRow("tempo -30, 52 cents up, rate 0.7") << -30 << 0.52 << 0.7 << 0.49 << -565.48781;
    }
    void pitchSpeedAndCleanness()
    {
        QFETCH(int, tempo);
        QFETCH(double, semitones);
        QFETCH(double, rate);
        QFETCH(double, expectedSpeed);
        QFETCH(double, cents);
        const auto audio = capture({toneMovie(440)}, stretched(tempo, semitones, rate));
        QVERIFY(audio);
        const std::vector<float> steady = audio->channel(0, 0.5, audio->seconds() - 0.5);
        const double measured = ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), 440);
        const double speed = 4.0 / audio->seconds();
        const double sinad =
            ToneAnalysis::sinadDecibels(steady, audio->sampleRate, 440 * std::exp2(cents / 1200));
        qInfo("%s: %+.4f cents, speed %.4f, SINAD %.1f dB", QTest::currentDataTag(), measured, speed, sinad);
        QVERIFY2(std::abs(measured - cents) < 0.01, qPrintable(QString::number(measured, 'f', 4)));
        QVERIFY2(std::abs(speed / expectedSpeed - 1) < 0.03, qPrintable(QString::number(speed)));
        QVERIFY2(sinad > 50, qPrintable(QString::number(sinad)));
    }

    // Hundredths of a decibel, as the volume buttons step them; silence is no sound at all.
    void volume()
    {
        const auto reference = capture({toneMovie(440, 2)}, [](MoviePlayer&, int) {});
        QVERIFY(reference);
        for (const auto& [volume, readBack] : {std::pair{-600, -600}, {-10000, -10000}, {700, 0}}) {
            int read = 1;
            const auto attenuated = capture({toneMovie(440, 2)}, [&](MoviePlayer& player, int) {
                player.setVolume(volume);
                read = player.Volume();
            });
            QVERIFY(attenuated && attenuated->seconds() > 1.5);
            QCOMPARE(read, readBack);
            const double level = ToneAnalysis::rmsDecibels(attenuated->channel(0, 0.3, 1.7)) -
                                 ToneAnalysis::rmsDecibels(reference->channel(0, 0.3, 1.7));
            if (readBack == -10000)
                QCOMPARE(ToneAnalysis::rms(attenuated->channel(0)), 0.0);
            else
                QVERIFY2(std::abs(level - readBack / 100.0) < 0.2, qPrintable(QString::number(level)));
        }
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

    void whatThePlayerSounds_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<double>("lengthFactor");
        QTest::addColumn<double>("hz");
        const QStringList slower(5, "cmdTempo10Down");
        QTest::newRow("tempo -50, octave up") << slower + QStringList{"cmdPitch12UpSemi"} << 2.0 << 880.0;
        QTest::newRow("fine pitch, one semitone down")
            << QStringList{"cmdPitch10DownGrad"} << 1.0 << 440 * std::exp2(-1 / 12.0);
        QTest::newRow("rate 50") << QStringList(5, "cmdRate10Down") << 2.0 << 220.0;
        QTest::newRow("reset all") << slower + QStringList{"cmdPitch12UpSemi", "cmdResetAll"} << 1.0 << 440.0;
    }
    void whatThePlayerSounds()
    {
        QFETCH(QStringList, commands);
        QFETCH(double, lengthFactor);
        QFETCH(double, hz);
        const QString wave = TestMedia::outputPath("sound.wav");
        {
            SoundPanelWith<MpvMoviePlayer> panel(
                MpvPlayerOptions{MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
            panel.player.setFileName(TestMedia::movie());
            QVERIFY(panel.player.Duration() > 0);
            // As a user would, change the sound of a movie that has stood open for a while: by
            // then its first second of sound is made and waiting, and must not be played as is.
            QTest::qWait(1000);
            for (const QString& command : commands)
                QVERIFY(panel.run(command));
            QVERIFY(playToTheEnd(panel.player));
        }
        const std::optional<Sound> sound = Sound::read(wave);
        QVERIFY(sound);
        const double length = sound->seconds() / 3; // the movie's seconds
        QVERIFY2(qAbs(length - lengthFactor) < 0.05 * lengthFactor, qPrintable(QString::number(length)));
        // The tone away from the ends, where the stretcher starts up and runs out.
        const std::vector<float> steady = sound->channel(0, 0.5, sound->seconds() - 0.5);
        const double cents = ToneAnalysis::cents(ToneAnalysis::frequency(steady, sound->sampleRate), hz);
        QVERIFY2(qAbs(cents) < 5, qPrintable(QString::number(cents)));
    }
};

QTEST_MAIN(PlayerSoundTest)
#include "tst_playersound.moc"
