#include "player/MpvMoviePlayer.h"
#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QElapsedTimer>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

using Settings = std::function<void(MoviePlayer&)>;

// Sound-only movies: with no picture to pace it, the WAV output runs as fast as mpv decodes.
QString toneMovie(double hz, double seconds = 4.0)
{
    TestMedia::Movie movie;
    movie.toneHz = hz;
    movie.seconds = seconds;
    movie.withPicture = false;
    return TestMedia::movie(movie);
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
        const double position = player.Position();
        if (position != last) {
            last = position;
            still.restart();
        } else if (position > player.Duration() - 0.5 && still.elapsed() > 400) {
            return true;
        }
    }
    return false;
}

// Plays the movies one after another with the settings made before the first, and returns
// everything the player sent to its sound output.
std::optional<PcmAudio> capture(const QStringList& movies, const Settings& settings)
{
    const QString wave = TestMedia::outputPath("capture.wav");
    {
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
        settings(player);
        for (const QString& movie : movies) {
            player.setFileName(movie);
            if (player.Duration() <= 0 || !playToTheEnd(player))
                return std::nullopt;
        }
        // Closing ends the WAV file.
        player.Close();
    }
    return PcmAudio::readWav(wave);
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
    void pitchAndDurationOfTheOutput_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("expectedHz");
        QTest::addColumn<double>("expectedSpeed"); // seconds of movie per second of output
        QTest::newRow("as recorded") << 0 << 0 << 1.0 << 440.0 << 1.0;
        QTest::newRow("tempo +50") << 50 << 0 << 1.0 << 440.0 << 1.5;
        QTest::newRow("tempo -50") << -50 << 0 << 1.0 << 440.0 << 0.5;
        QTest::newRow("tempo -80") << -80 << 0 << 1.0 << 440.0 << 0.2;
        QTest::newRow("pitch +3") << 0 << 3 << 1.0 << 523.2511 << 1.0;
        QTest::newRow("pitch -12") << 0 << -12 << 1.0 << 220.0 << 1.0;
        QTest::newRow("rate 0.5") << 0 << 0 << 0.5 << 220.0 << 0.5;
        QTest::newRow("rate 1.5") << 0 << 0 << 1.5 << 660.0 << 1.5;
        QTest::newRow("tempo -30, pitch +2, rate 1.1")
            << -30 << 2 << 1.1 << 440.0 * 1.1 * std::exp2(2 / 12.0) << 0.7 * 1.1;
    }
    void pitchAndDurationOfTheOutput()
    {
        QFETCH(int, tempo);
        QFETCH(int, semitones);
        QFETCH(double, rate);
        QFETCH(double, expectedHz);
        QFETCH(double, expectedSpeed);
        const double movieSeconds = 4.0;
        const auto audio = capture({toneMovie(440, movieSeconds)}, [&](MoviePlayer& player) {
            player.SetTempo(qint16(tempo));
            player.SetPitch(qint16(semitones));
            player.setRate(rate);
        });
        QVERIFY(audio);

        const double outputSeconds = audio->seconds();
        const std::vector<float> steady = audio->channel(0, 0.5, outputSeconds - 0.5);
        const double hz = ToneAnalysis::frequency(steady, audio->sampleRate);
        const double cents = ToneAnalysis::cents(hz, expectedHz);
        const double speed = movieSeconds / outputSeconds;
        qInfo("%s: %.4f Hz (%+.4f cents), %.3f s of output, speed %.4f", QTest::currentDataTag(), hz, cents,
              outputSeconds, speed);
        QVERIFY2(std::abs(cents) < 5, qPrintable(QString::number(cents)));
        QVERIFY2(std::abs(speed / expectedSpeed - 1) < 0.03, qPrintable(QString::number(speed)));
    }

    // A clean tone stays clean: the movie's own sound (AAC) measures about 61 dB here, a
    // coarser stretcher 35-49 dB, formant preservation an octave down 13-15 dB.
    void stretchedSoundStaysClean_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<double>("rate");
        QTest::newRow("tempo -50") << -50 << 0 << 1.0;
        QTest::newRow("tempo -50, pitch -2") << -50 << -2 << 1.0;
        QTest::newRow("tempo +50") << 50 << 0 << 1.0;
        QTest::newRow("pitch -12") << 0 << -12 << 1.0;
        QTest::newRow("rate 0.5") << 0 << 0 << 0.5;
    }
    void stretchedSoundStaysClean()
    {
        QFETCH(int, tempo);
        QFETCH(int, semitones);
        QFETCH(double, rate);
        const auto audio = capture({toneMovie(440)}, [&](MoviePlayer& player) {
            player.SetTempo(qint16(tempo));
            player.SetPitch(qint16(semitones));
            player.setRate(rate);
        });
        QVERIFY(audio);
        const std::vector<float> steady = audio->channel(0, 0.5, audio->seconds() - 0.5);
        const double expectedHz = 440 * rate * std::exp2(semitones / 12.0);
        const double sinad = ToneAnalysis::sinadDecibels(steady, audio->sampleRate, expectedHz);
        const double spread = ToneAnalysis::levelSpreadDecibels(steady, audio->sampleRate, expectedHz);
        qInfo("%s: SINAD %.1f dB, level spread %.2f dB", QTest::currentDataTag(), sinad, spread);
        QVERIFY2(sinad > 50, qPrintable(QString::number(sinad)));
        QVERIFY2(spread < 1, qPrintable(QString::number(spread)));
    }

    void volume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::newRow("full") << 0;
        QTest::newRow("-6 dB") << -600;
        QTest::newRow("-20 dB") << -2000;
        QTest::newRow("-45 dB") << -4500;
        QTest::newRow("-95 dB") << -9500;
    }
    void volume()
    {
        QFETCH(int, volume);
        const auto reference = capture({toneMovie(440, 2)}, [](MoviePlayer&) {});
        const auto attenuated =
            capture({toneMovie(440, 2)}, [&](MoviePlayer& player) { player.setVolume(volume); });
        QVERIFY(reference && attenuated);
        const double level = ToneAnalysis::rmsDecibels(attenuated->channel(0, 0.3, 1.7)) -
                             ToneAnalysis::rmsDecibels(reference->channel(0, 0.3, 1.7));
        qInfo("%s: %.3f dB", QTest::currentDataTag(), level);
        QVERIFY2(std::abs(level - volume / 100.0) < 0.2, qPrintable(QString::number(level)));
    }

    void volumeAtSilenceIsSilent()
    {
        const auto audio =
            capture({toneMovie(440, 2)}, [](MoviePlayer& player) { player.setVolume(-10000); });
        QVERIFY(audio);
        QVERIFY(audio->seconds() > 1.5);
        QCOMPARE(ToneAnalysis::rms(audio->channel(0)), 0.0);
    }

    void volumeReadsBackWithinItsRange_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("read");
        QTest::newRow("full") << 0 << 0;
        QTest::newRow("one step down") << -500 << -500;
        QTest::newRow("silence") << -10000 << -10000;
        QTest::newRow("below silence") << -12000 << -10000;
        QTest::newRow("above full") << 700 << 0;
    }
    void volumeReadsBackWithinItsRange()
    {
        QFETCH(int, written);
        QFETCH(int, read);
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.setVolume(written);
        QCOMPARE(player.Volume(), read);
    }

    void settingsAreKeptAcrossMovies()
    {
        // Pitch changed while the first movie plays must hold for the next one too.
        const QString wave = TestMedia::outputPath("two-movies.wav");
        {
            MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
            player.SetTempo(50);
            player.setFileName(toneMovie(440, 3));
            player.SetPitch(3);
            QVERIFY(playToTheEnd(player));
            player.setFileName(toneMovie(330, 3));
            QVERIFY(playToTheEnd(player));
            player.Close();
        }
        const auto audio = PcmAudio::readWav(wave);
        QVERIFY(audio);
        // Each movie lasts 2 s at tempo +50: the first's last second, then the second's.
        const double end = audio->seconds();
        const double first =
            ToneAnalysis::frequency(audio->channel(0, end - 3.3, end - 2.2), audio->sampleRate);
        const double second =
            ToneAnalysis::frequency(audio->channel(0, end - 1.5, end - 0.3), audio->sampleRate);
        qInfo("output %.3f s; first movie %.3f Hz, second %.3f Hz", end, first, second);
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
        QTest::addColumn<double>("expected");
        QTest::newRow("as recorded") << 0 << 1.0 << 1.0;
        QTest::newRow("tempo +50") << 50 << 1.0 << 1.5;
        QTest::newRow("tempo -50") << -50 << 1.0 << 0.5;
        QTest::newRow("rate 0.5") << 0 << 0.5 << 0.5;
        QTest::newRow("tempo +20, rate 1.5") << 20 << 1.5 << 1.8;
    }
    void wallClockSpeed()
    {
        QFETCH(int, tempo);
        QFETCH(double, rate);
        QFETCH(double, expected);
        TestMedia::Movie movie;
        movie.seconds = 8;
        // The null output plays in real time, so the position moves at the playback speed.
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.SetTempo(qint16(tempo));
        player.setRate(rate);
        player.setFileName(TestMedia::movie(movie));
        player.Play();
        const double speed = positionSpeed(player, 2000);
        qInfo("%s: %.3f x wall clock", QTest::currentDataTag(), speed);
        QVERIFY2(std::abs(speed / expected - 1) < 0.1, qPrintable(QString::number(speed)));
    }

    void tempoChangedWhilePlaying()
    {
        TestMedia::Movie movie;
        movie.seconds = 10;
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.setFileName(TestMedia::movie(movie));
        player.Play();
        const double before = positionSpeed(player, 1000);
        player.SetTempo(50);
        const double faster = positionSpeed(player, 1500);
        player.SetTempo(0);
        const double back = positionSpeed(player, 1000);
        qInfo("speed %.3f, then %.3f, then %.3f", before, faster, back);
        QVERIFY(std::abs(before - 1) < 0.1);
        QVERIFY(std::abs(faster - 1.5) < 0.15);
        QVERIFY(std::abs(back - 1) < 0.1);
    }
};

QTEST_MAIN(PlayerSoundTest)
#include "tst_playersound.moc"
