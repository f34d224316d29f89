#include "LoopClicks.h"
#include "PrivateSoundServer.h"
#include "SilenceGaps.h"
#include "Sound.h"
#include "SoundFilters.h"
#include "ToneAnalysis.h"
#include "player/MpvMoviePlayer.h"
#include "sound/SoundPanel.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <span>

namespace {

// Sound-only movies: with no picture to pace it, the WAV output runs as fast as mpv decodes.
QString toneMovie(double hz, double seconds = 4.0)
{
    return TestMedia::movie({.seconds = seconds, .toneHz = hz, .withPicture = false});
}

// A 2 s tone of 440 Hz with this many channels at this sample rate, made by ffmpeg; a tone on
// one channel is put on the front centre, as ffmpeg spreads it.
QString toneWithChannels(int channels, int rate, const QString& codec, const QString& extension)
{
    const QString path =
        TestMedia::outputPath(QStringLiteral("tone %1 ch %2 Hz.%3").arg(channels).arg(rate).arg(extension));
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                            QStringLiteral("sine=frequency=440:sample_rate=%1:duration=2").arg(rate), "-ac",
                            QString::number(channels), "-c:a", codec, path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 ? path : QString();
}

// 440 Hz for the first 1.6 s, then 660 Hz up to 4 s, with a moving picture or none: where the one
// tone gives way to the other shows where each pass of a loop around it begins.
QString twoToneMovie(bool withPicture = false)
{
    const QString path = TestMedia::outputPath(withPicture ? "two tones.mp4" : "two tones.m4a");
    const QString picture =
        withPicture ? " -f lavfi -i testsrc=size=160x120:rate=25:duration=4 -map 2:v" : "";
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 QStringLiteral("-v error -y -f lavfi -i sine=frequency=440:duration=1.6 -f lavfi -i "
                                "sine=frequency=660:duration=2.4%1 -filter_complex "
                                "[0:a][1:a]concat=n=2:v=0:a=1[a] -map [a] -ar 48000 -c:a aac -b:a 192k")
                         .arg(picture)
                         .split(' ')
                     << path);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 ? path : QString();
}

// Seconds into the sound where a tone above `splitHz` takes over from one below it or from
// silence (`upwards`), or gives way to one below it or to silence.
std::vector<double> toneChanges(const std::vector<float>& samples, int rate, double splitHz,
                                bool upwards = true)
{
    const std::size_t window = static_cast<std::size_t>(rate) / 100, hop = window / 4;
    std::vector<double> changes;
    bool wasAbove = upwards;
    for (std::size_t at = 0; at + window <= samples.size(); at += hop) {
        const auto part = std::span(samples).subspan(at, window);
        const bool above = ToneAnalysis::rms(part) > 0.01 && ToneAnalysis::frequency(part, rate) > splitHz;
        if (above == upwards && above != wasAbove)
            changes.push_back(static_cast<double>(at + window / 2) / rate);
        wasAbove = above;
    }
    return changes;
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

// Plays until the position has gone back `wraps` times (a loop's joins).
bool playUntilWrapped(MoviePlayer& player, int wraps)
{
    player.Play();
    QElapsedTimer timer;
    timer.start();
    double last = player.Position();
    while (wraps > 0 && timer.elapsed() < 30000) {
        QTest::qWait(2);
        const double now = player.Position();
        wraps -= now < last - 0.5 ? 1 : 0;
        last = now;
    }
    return wraps == 0;
}

std::function<void(MoviePlayer&, int)> stretched(int tempo, double semitones, double rate)
{
    return [=](MoviePlayer& player, int) {
        player.SetTempo(qint16(tempo));
        player.SetPitch(semitones);
        player.setRate(rate);
    };
}

// Two seconds of sound made by ffmpeg: an expression of the time t for each channel, split by |.
QString madeSound(const QString& channels)
{
    const QString path = TestMedia::outputPath("made.wav");
    const QString source = "aevalsrc=exprs='" + channels + "':sample_rate=48000:duration=2";
    QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", source, "-c:a", "pcm_f32le", path});
    return path; // a movie that could not be made fails to open
}

// The level in dB of the tone at `hz`: the median of its tenths of a second (over which tones 10 Hz
// apart do not mix), past the stretcher's brief dips.
double toneDecibels(std::span<const float> samples, double hz)
{
    std::vector<double> levels;
    for (std::size_t start = 0; start + 4800 <= samples.size(); start += 4800) {
        std::complex<double> sum;
        for (std::size_t i = start; i < start + 4800; ++i)
            sum += double(samples[i]) * std::polar(1.0, -2 * std::numbers::pi * hz * double(i) / 48000);
        levels.push_back(20 * std::log10(std::abs(sum) / 2400));
    }
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    return levels[levels.size() / 2];
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

    // Any number of channels and any sample rate plays at its pitch, for as long as it lasts, on
    // both sides.
    void channelsAndRates_data()
    {
        QTest::addColumn<QString>("movie");
        QTest::newRow("mono at 8 kHz") << toneWithChannels(1, 8000, "pcm_s16le", "wav");
        QTest::newRow("5.1 at 44.1 kHz, AAC") << toneWithChannels(6, 44100, "aac", "mkv");
        QTest::newRow("stereo at 192 kHz, FLAC") << toneWithChannels(2, 192000, "flac", "mkv");
    }
    void channelsAndRates()
    {
        QFETCH(QString, movie);
        QVERIFY(!movie.isEmpty());
        const auto audio = capture({movie}, [](MoviePlayer&, int) {});
        const auto decodedByFfmpeg = Sound::read(movie);
        QVERIFY(audio && decodedByFfmpeg);
        QVERIFY2(
            std::abs(audio->seconds() - decodedByFfmpeg->seconds()) < 0.02,
            qPrintable(QStringLiteral("%1 s, not %2").arg(audio->seconds()).arg(decodedByFfmpeg->seconds())));
        for (int side = 0; side < 2; ++side) {
            const std::vector<float> steady = audio->channel(side, 0.2, 1.8);
            const double cents = ToneAnalysis::cents(ToneAnalysis::frequency(steady, audio->sampleRate), 440);
            QVERIFY2(std::abs(cents) < 0.01, qPrintable(QString::number(cents)));
            QVERIFY2(ToneAnalysis::rmsDecibels(steady) > -30,
                     qPrintable(QString::number(ToneAnalysis::rmsDecibels(steady))));
        }
    }

    // The sound server stops in the middle of playback and starts again: the movie plays on, and
    // its sound comes back within 3 s of the server's return.
    void soundServerComesBack()
    {
        PrivateSoundServer server;
        QVERIFY2(server.start(), "pulseaudio did not start");
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::SystemDefault, {}});
        player.setFileName(toneMovie(440, 20));
        player.Play();
        QTest::qWait(1000);
        server.stop();
        QTest::qWait(1500);
        QVERIFY2(server.start(), "pulseaudio did not start again");
        const double back = player.Position();
        server.startRecording();
        QTest::qWait(4000);
        const std::vector<float> heard = server.stopRecording();
        // PulseAudio's null sink takes a new stream's first sound only after a second or two.
        QVERIFY2(player.Position() > back + 2, qPrintable(QString::number(player.Position() - back)));
        const auto firstSound =
            std::find_if(heard.begin(), heard.end(), [](float s) { return std::abs(s) > 0.01f; });
        QVERIFY2(firstSound != heard.end(), "no sound after the server came back");
        const double after = static_cast<double>(firstSound - heard.begin()) / PrivateSoundServer::sampleRate;
        qInfo("sound again %.2f s after the server came back", after);
        QVERIFY2(after < 3, qPrintable(QString::number(after)));
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

    // A loop of two tones, cut mid-cycle at both ends: every pass lasts the loop's length at the
    // speed asked for, and the joins neither fall silent nor click. A click shows above 4 kHz,
    // where the tones have next to nothing; the loudest 10 ms there around each join is compared
    // with the typical 10 ms between joins.
    void loopJoins_data()
    {
        QTest::addColumn<int>("tempo");
        QTest::addColumn<double>("semitones");
        QTest::newRow("as recorded") << 0 << 0.0;
        QTest::newRow("tempo -30") << -30 << 0.0;
        QTest::newRow("tempo -30, pitch +3") << -30 << 3.0;
    }
    void loopJoins()
    {
        QFETCH(int, tempo);
        QFETCH(double, semitones);
        constexpr double from = 1.0, to = 2.3011;
        constexpr int wraps = 5;
        const QString wave = TestMedia::outputPath("loop.wav");
        {
            MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
            player.setFileName(twoToneMovie());
            player.SetTempo(qint16(tempo));
            player.SetPitch(semitones);
            player.SetLoopWindow(from, to);
            player.Seek(from);
            // One more, so that the file's abrupt end lies well after the last join measured.
            QVERIFY(playUntilWrapped(player, wraps + 1));
        }
        const auto audio = Sound::read(wave);
        QVERIFY(audio);
        const std::vector<float> left = audio->channel(0);
        const double passSeconds = (to - from) / (1 + tempo / 100.0);
        QVERIFY2(audio->seconds() > wraps * passSeconds, qPrintable(QString::number(audio->seconds())));
        const std::vector<double> gaps = SilenceGaps::lengthsMs(left, audio->sampleRate);
        QVERIFY2(gaps.empty(), qPrintable(QString::number(gaps.size()) + " gaps"));
        const std::vector<double> passStarts =
            toneChanges(left, audio->sampleRate, 550 * std::exp2(semitones / 12));
        QVERIFY2(passStarts.size() >= wraps, qPrintable(QString::number(passStarts.size())));
        for (int pass = 1; pass < wraps; ++pass) {
            const double length = passStarts[pass] - passStarts[pass - 1];
            QVERIFY2(
                std::abs(length - passSeconds) < 0.01,
                qPrintable(QStringLiteral("pass %1: %2 s, not %3").arg(pass).arg(length).arg(passSeconds)));
        }

        const std::vector<double> energies = SoundFilters::windowEnergies(
            SoundFilters::highPass(left, audio->sampleRate, 4000), audio->sampleRate, 10);
        std::vector<double> between;
        for (std::size_t window = 20; window < energies.size() - 20; ++window) {
            const double seconds = static_cast<double>(window) / 100 + 0.005;
            const double fromJoin = std::remainder(seconds, passSeconds);
            if (std::abs(fromJoin) > 0.05)
                between.push_back(energies[window]);
        }
        std::nth_element(between.begin(), between.begin() + between.size() / 2, between.end());
        const double typical = between[between.size() / 2];
        for (int join = 1; join <= wraps; ++join) {
            const auto centre = static_cast<std::size_t>(join * passSeconds * 100);
            const double loudest =
                *std::max_element(energies.begin() + centre - 2, energies.begin() + centre + 3);
            qInfo("join %d: %.2f times the typical energy above 4 kHz", join, loudest / typical);
            QVERIFY2(loudest < 3 * typical, qPrintable(QString::number(loudest / typical)));
        }
    }

    // A speed trainer on a 2 s loop sets the next pass's tempo at each wrap: every pass lasts the
    // loop at its own tempo, joined to the one before without a gap, or with the pause asked for,
    // during which sound and picture stand at the loop's beginning. Each join raises LoopWrapped
    // once, as it is heard: the position then is just past the loop's beginning.
    void trainerLoop_data()
    {
        QTest::addColumn<QList<int>>("tempos"); // of each pass
        QTest::addColumn<double>("pause");
        QTest::addColumn<int>("dropped"); // set to wait for the first wrap before SetTempo
        QTest::newRow("tempo 60, 70, 80, 90 %, a step at each wrap") << QList{-40, -30, -20, -10} << 0.0 << 0;
        QTest::newRow("1 s pause at each wrap, tempo 70 then 90 %") << QList{-30, -10} << 1.0 << 0;
        QTest::newRow("SetTempo drops the tempo waiting for the wrap") << QList{-10, -10} << 0.0 << -40;
    }
    void trainerLoop()
    {
        QFETCH(QList<int>, tempos);
        QFETCH(double, pause);
        QFETCH(int, dropped);
        constexpr double from = 1.0, to = 3.0;
        const QString wave = TestMedia::outputPath("trainer.wav");
        std::vector<std::array<double, 2>> wraps;   // time and position at each LoopWrapped
        std::vector<std::array<double, 3>> samples; // time, position and the picture's time
        {
            MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, wave});
            player.setFileName(twoToneMovie(true));
            player.SetPauseAtWraps(pause);
            player.SetLoopWindow(from, to);
            player.Seek(from);
            player.SetTempoAtNextWrap(qint16(dropped));
            player.SetTempo(qint16(tempos[0]));
            if (dropped == 0)
                player.SetTempoAtNextWrap(qint16(tempos[1]));
            QElapsedTimer clock;
            clock.start();
            connect(&player, &MoviePlayer::LoopWrapped, [&] {
                wraps.push_back({static_cast<double>(clock.elapsed()) / 1000, player.Position()});
                if (wraps.size() + 1 < std::size_t(tempos.size()))
                    player.SetTempoAtNextWrap(qint16(tempos[qsizetype(wraps.size()) + 1]));
            });
            player.Play();
            while (wraps.size() < std::size_t(tempos.size()) && clock.elapsed() < 30000) {
                QTest::qWait(5);
                samples.push_back(
                    {static_cast<double>(clock.elapsed()) / 1000, player.Position(), player.pictureTime()});
            }
        }
        QCOMPARE(wraps.size(), std::size_t(tempos.size()));
        for (const auto& [when, at] : wraps) {
            QVERIFY2(at >= from && at < from + 0.3, qPrintable(QString::number(at)));
            for (const auto& [time, position, picture] : samples)
                if (time > when && time < when + pause - 0.1)
                    QVERIFY2(std::abs(position - from) < 0.001 && std::abs(picture - from) < 0.045,
                             qPrintable(QString::number(position) + " " + QString::number(picture)));
        }
        const auto audio = Sound::read(wave);
        QVERIFY(audio);
        const std::vector<float> left = audio->channel(0);
        // Each pass ends where its 660 Hz gives way; the first begins where the sound does.
        std::vector<double> ends = toneChanges(left, audio->sampleRate, 550, false);
        ends.insert(ends.begin(), toneChanges(left, audio->sampleRate, 300).at(0));
        for (qsizetype pass = 0; pass < tempos.size(); ++pass) {
            const double length = ends.at(pass + 1) - ends[pass];
            const double expected = (to - from) / (1 + tempos[pass] / 100.0) + (pass > 0 ? pause : 0);
            qInfo("pass %lld: %.3f s, expected %.3f", pass + 1, length, expected);
            QVERIFY2(std::abs(length - expected) < 0.05, qPrintable(QString::number(length - expected)));
        }
        const std::vector<double> gaps = SilenceGaps::lengthsMs(left, audio->sampleRate);
        QCOMPARE(gaps.size(), pause > 0 ? std::size_t(tempos.size() - 1) : 0);
        for (const double gap : gaps)
            QVERIFY2(std::abs(gap - pause * 1000) < 30, qPrintable(QString::number(gap)));
    }

    // A movie without sound wraps by mpv's own loop: LoopWrapped comes there too, and the tempo
    // waiting for the wrap (50 %) and the pause (0.5 s) hold from it: the next pass takes 2.5 s.
    void trainerLoopWithoutSound()
    {
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::None, {}});
        player.setFileName(TestMedia::movie({.seconds = 3, .withSound = false}));
        player.SetLoopWindow(1, 2);
        player.SetPauseAtWraps(0.5);
        player.SetTempoAtNextWrap(-50);
        QElapsedTimer clock;
        clock.start();
        std::vector<double> wraps;
        connect(&player, &MoviePlayer::LoopWrapped,
                [&] { wraps.push_back(static_cast<double>(clock.elapsed())); });
        player.Seek(1.5);
        player.Play();
        QTRY_VERIFY_WITH_TIMEOUT(wraps.size() == 2, 10000);
        QVERIFY2(std::abs(wraps[1] - wraps[0] - 2500) < 150,
                 qPrintable(QString::number(wraps[1] - wraps[0])));
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

    // Tones a tenth of full scale each, at 80, 200, 1000 and 4000 Hz in the centre and 440 Hz on the left,
    // in each view at tempo 0 and -30: within 1 dB of the levels; from -10 dB down, at least that far down.
    void soundViews_data()
    {
        using enum SoundView;
        QTest::addColumn<SoundView>("view");
        QTest::addColumn<int>("channels");         // of the movie
        QTest::addColumn<QList<double>>("levels"); // 80, 200, 440, 1000, 4000 Hz left, then right; NaN: any
        const QList<double> same{0, 0, 0, 0, 0}, noLeftTone{0, 0, -60, 0, 0}, half{0, 0, -6.02, 0, 0},
            sideOnly{-30, -30, 0, -30, -30}, bass{0, NAN, NAN, -24, -24}, treble{-24, NAN, NAN, 0, 0},
            spread{-3, -3, -3, -3, -3};
        QTest::newRow("both channels: as recorded") << BothChannels << 2 << same + noLeftTone;
        QTest::newRow("left only: the left side on both") << LeftOnly << 2 << same + same;
        QTest::newRow("right only: the right side on both") << RightOnly << 2 << noLeftTone + noLeftTone;
        QTest::newRow("mono: the left's tone at half on both") << Mono << 2 << half + half;
        QTest::newRow("without the centre: the side alone") << WithoutCentre << 2 << sideOnly + sideOnly;
        QTest::newRow("bass only: 80 Hz, nothing from 1 kHz up") << BassOnly << 2 << bass + bass;
        QTest::newRow("without the bass: 1 kHz up, no 80 Hz") << WithoutBass << 2 << treble + treble;
        QTest::newRow("a mono movie plays as it is, -3 dB a side") << WithoutCentre << 1 << spread + spread;
    }
    void soundViews()
    {
        QFETCH(SoundView, view);
        QFETCH(int, channels);
        QFETCH(QList<double>, levels);
        const QString centre = "0.1*(sin(2*PI*80*t)+sin(2*PI*200*t)+sin(2*PI*1000*t)+sin(2*PI*4000*t))";
        const QString movie =
            madeSound(centre + "+0.1*sin(2*PI*440*t)" + (channels == 2 ? '|' + centre : ""));
        for (const int tempo : {0, -30}) {
            const auto audio = capture({movie}, [&](MoviePlayer& player, int) {
                player.SetSoundView(view);
                player.SetTempo(qint16(tempo));
                QCOMPARE(player.HasTwoSoundChannels(), channels == 2);
            });
            QVERIFY(audio);
            for (int i = 0; i < 10; ++i) {
                const double hz = QList{80, 200, 440, 1000, 4000}[i % 5], expected = levels[i];
                const double level =
                    toneDecibels(audio->channel(i / 5, 0.3, audio->seconds() - 0.3), hz) + 20;
                QVERIFY2(std::isnan(expected) ||
                             (expected > -10 ? std::abs(level - expected) < 1 : level <= expected),
                         qPrintable(QStringLiteral("tempo %1, tone %2: %3 dB").arg(tempo).arg(i).arg(level)));
            }
        }
    }

    // A view chosen while playing is in the sound 60 ms after what was played then (the server's 40 ms come
    // on top) and makes no step: around the change no more sound above 4 kHz, where the tones have none.
    void soundViewSwitch()
    {
        const QString wave = TestMedia::outputPath("switch.wav");
        MpvMoviePlayer player({MpvPlayerOptions::Video::None, MpvPlayerOptions::Audio::WaveFile, wave});
        player.setFileName(madeSound("0.1*sin(2*PI*440*t)+0.1*sin(2*PI*660*t)|0.1*sin(2*PI*660*t)"));
        player.Play();
        QVERIFY(QTest::qWaitFor([&] { return player.Position() >= 1; }, 10000));
        player.SetSoundView(SoundView::WithoutCentre);
        const double chosenAt = player.Position();
        QVERIFY(playToTheEnd(player));
        player.Close(); // ends the WAV file
        const auto audio = Sound::read(wave);
        QVERIFY(audio);
        const double centreAfter = toneDecibels(audio->channel(0, chosenAt + 0.06, chosenAt + 0.17), 660);
        const double step = LoopClicks::ratios(
            audio->channel(0), audio->sampleRate,
            {0, audio->seconds() * 1000, {{chosenAt * 1000 - 20, chosenAt * 1000 + 30}}})[0];
        QVERIFY2(centreAfter < -50, qPrintable(QString::number(centreAfter))); // made at -20 dB
        QVERIFY2(step < 3, qPrintable(QString::number(step)));
    }
};

QTEST_MAIN(PlayerSoundTest)
#include "tst_playersound.moc"
