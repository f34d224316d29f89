#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

struct Tone
{
    double hz = 440;
    double amplitude = 0.125;
    double noise = 0;    // peak of uniform white noise
    double harmonic = 0; // amplitude of the second harmonic
    double offset = 0;   // DC
    int sampleRate = 48000;
};

// Two seconds of the tone.
std::vector<float> synthesise(const Tone& tone)
{
    QRandomGenerator random(7);
    std::vector<float> samples(static_cast<size_t>(2 * tone.sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2 * std::numbers::pi * tone.hz * static_cast<double>(i) / tone.sampleRate + 0.3;
        samples[i] =
            static_cast<float>(tone.amplitude * std::sin(phase) + tone.harmonic * std::sin(2 * phase) +
                               tone.noise * (2 * random.generateDouble() - 1) + tone.offset);
    }
    return samples;
}

QString sineWave(const QString& name, const QString& sine, const QStringList& format)
{
    const QString path = TestMedia::outputPath(name);
    const int exitCode =
        QProcess::execute("ffmpeg", QStringList{"-v", "error", "-y", "-f", "lavfi", "-i", "sine=" + sine} +
                                        format + QStringList{path});
    return exitCode == 0 ? path : QString();
}

} // namespace

Q_DECLARE_METATYPE(Tone)

class ToneAnalysisTest : public QObject
{
    Q_OBJECT

private slots:
    void frequency_data()
    {
        QTest::addColumn<Tone>("tone");
        QTest::newRow("C5, not a whole number") << Tone{.hz = 523.2511306};
        QTest::newRow("lowest A") << Tone{.hz = 27.5, .sampleRate = 44100};
        QTest::newRow("highest C") << Tone{.hz = 4186.009, .sampleRate = 44100};
        QTest::newRow("noise 40 dB down") << Tone{.noise = 0.00125};
        QTest::newRow("DC offset") << Tone{.hz = 330, .offset = 0.05};
    }
    void frequency()
    {
        QFETCH(Tone, tone);
        const double measured = ToneAnalysis::frequency(synthesise(tone), tone.sampleRate);
        // Far finer than the 5-cent checks of the player, enough for the benchmark's 0.01 cent.
        const double cents = ToneAnalysis::cents(measured, tone.hz);
        QVERIFY2(std::abs(cents) < 0.005, qPrintable(QString::number(cents)));
    }

    void sinad_data()
    {
        QTest::addColumn<Tone>("tone");
        QTest::addColumn<double>("expected");
        // Uniform noise of peak p has power p²/3; the tone's is a²/2.
        QTest::newRow("clean, above 100 dB") << Tone{} << 120.0;
        QTest::newRow("noise 40 dB down") << Tone{.noise = 0.125 * std::sqrt(1.5) / 100} << 40.0;
        QTest::newRow("second harmonic 46 dB down")
            << Tone{.harmonic = 0.125 * std::pow(10, -46 / 20.0)} << 46.0;
    }
    void sinad()
    {
        QFETCH(Tone, tone);
        QFETCH(double, expected);
        const double measured = ToneAnalysis::sinadDecibels(synthesise(tone), tone.sampleRate, tone.hz);
        QVERIFY2(expected >= 120 ? measured > 100 : std::abs(measured - expected) < 1,
                 qPrintable(QString::number(measured)));
    }

    void levelSpread_data()
    {
        QTest::addColumn<double>("dipDecibels");
        QTest::newRow("steady") << 0.0;
        QTest::newRow("a 100 ms dip of 6 dB") << -6.0;
        QTest::newRow("a 100 ms dropout to -40 dB") << -40.0;
    }
    void levelSpread()
    {
        QFETCH(double, dipDecibels);
        std::vector<float> samples = synthesise({});
        for (size_t i = 48000; i < 48000 + 4800; ++i)
            samples[i] *= static_cast<float>(std::pow(10, dipDecibels / 20));
        const double spread = ToneAnalysis::levelSpreadDecibels(samples, 48000, 440);
        QVERIFY2(std::abs(spread + dipDecibels) < 0.5, qPrintable(QString::number(spread)));
    }

    void readsWhatFfmpegWrites_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<int>("channels");
        QTest::addColumn<double>(
            "level"); // ffmpeg's sine is an eighth of full scale, less 3 dB a side in stereo
        QTest::newRow("16-bit mono") << "pcm_s16le" << 1 << -21.07;
        QTest::newRow("32-bit stereo") << "pcm_s32le" << 2 << -24.08;
        QTest::newRow("float stereo") << "pcm_f32le" << 2 << -24.08;
    }
    void readsWhatFfmpegWrites()
    {
        QFETCH(QString, codec);
        QFETCH(int, channels);
        QFETCH(double, level);
        const auto audio =
            PcmAudio::readWav(sineWave("tone.wav", "frequency=1000:sample_rate=44100:duration=1.5",
                                       {"-ac", QString::number(channels), "-c:a", codec}));
        QVERIFY(audio);
        QCOMPARE(audio->sampleRate, 44100);
        QCOMPARE(audio->channels, channels);
        QVERIFY(std::abs(audio->seconds() - 1.5) < 0.001);
        for (int channel = 0; channel < channels; ++channel) {
            const double hz = ToneAnalysis::frequency(audio->channel(channel), audio->sampleRate);
            QVERIFY2(std::abs(ToneAnalysis::cents(hz, 1000)) < 0.01, qPrintable(QString::number(hz)));
            QVERIFY(std::abs(ToneAnalysis::rmsDecibels(audio->channel(channel)) - level) < 0.05);
        }
        // The window asked for, in seconds.
        QCOMPARE(audio->channel(0, 0.5, 1.0).size(), size_t(22050));
    }

    void refusesWhatIsNotWave_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << TestMedia::missingFile();
        QTest::newRow("empty") << TestMedia::zeroBytes();
        QTest::newRow("text") << TestMedia::textFile();
        QTest::newRow("random bytes") << TestMedia::randomBytes();
    }
    void refusesWhatIsNotWave()
    {
        QFETCH(QString, path);
        QVERIFY(!PcmAudio::readWav(path));
    }
};

QTEST_GUILESS_MAIN(ToneAnalysisTest)
#include "tst_toneanalysis.moc"
