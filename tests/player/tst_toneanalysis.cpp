#include "support/PcmAudio.h"
#include "support/TestMedia.h"
#include "support/ToneAnalysis.h"

#include <QFile>
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
    double seconds = 2;
    int sampleRate = 48000;
};

std::vector<float> synthesise(const Tone& tone)
{
    QRandomGenerator random(7);
    std::vector<float> samples(static_cast<size_t>(tone.seconds * tone.sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / tone.sampleRate;
        const double phase = 2 * std::numbers::pi * tone.hz * t + 0.3;
        const double noise = tone.noise * (2 * random.generateDouble() - 1);
        samples[i] = static_cast<float>(tone.amplitude * std::sin(phase) +
                                        tone.harmonic * std::sin(2 * phase) + noise + tone.offset);
    }
    return samples;
}

} // namespace

class ToneAnalysisTest : public QObject
{
    Q_OBJECT

private slots:
    void frequency_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("noise");
        QTest::addColumn<double>("offset");
        QTest::addColumn<int>("sampleRate");
        QTest::newRow("A4") << 440.0 << 0.0 << 0.0 << 48000;
        QTest::newRow("C5, not a whole number") << 523.2511306 << 0.0 << 0.0 << 48000;
        QTest::newRow("lowest A") << 27.5 << 0.0 << 0.0 << 44100;
        QTest::newRow("highest C") << 4186.009 << 0.0 << 0.0 << 44100;
        QTest::newRow("noise 40 dB down") << 440.0 << 0.00125 << 0.0 << 48000;
        QTest::newRow("DC offset") << 330.0 << 0.0 << 0.05 << 48000;
    }
    void frequency()
    {
        QFETCH(double, hz);
        QFETCH(double, noise);
        QFETCH(double, offset);
        QFETCH(int, sampleRate);
        Tone tone;
        tone.hz = hz;
        tone.noise = noise;
        tone.offset = offset;
        tone.sampleRate = sampleRate;
        const double measured = ToneAnalysis::frequency(synthesise(tone), sampleRate);
        // Far finer than the 5-cent checks of the player, enough for the benchmark's 0.01 cent.
        const double cents = ToneAnalysis::cents(measured, hz);
        QVERIFY2(std::abs(cents) < 0.005, qPrintable(QString::number(cents)));
    }

    void levels_data()
    {
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("decibels");
        QTest::newRow("full scale sine") << 1.0 << -3.0103;
        QTest::newRow("eighth") << 0.125 << -21.0721;
        QTest::newRow("-60 dB") << 0.001 << -63.0103;
    }
    void levels()
    {
        QFETCH(double, amplitude);
        QFETCH(double, decibels);
        Tone tone;
        tone.amplitude = amplitude;
        const std::vector<float> samples = synthesise(tone);
        QVERIFY(std::abs(ToneAnalysis::rmsDecibels(samples) - decibels) < 0.01);
        QVERIFY(std::abs(ToneAnalysis::rms(samples) - amplitude / std::sqrt(2.0)) < amplitude * 1e-3);
    }

    void sinad_data()
    {
        QTest::addColumn<double>("noise");
        QTest::addColumn<double>("harmonic");
        QTest::addColumn<double>("expected");
        // Uniform noise of peak p has power p²/3; the tone's is a²/2.
        QTest::newRow("clean") << 0.0 << 0.0 << 120.0;
        QTest::newRow("noise 40 dB down") << 0.125 * std::sqrt(1.5) / 100 << 0.0 << 40.0;
        QTest::newRow("noise 60 dB down") << 0.125 * std::sqrt(1.5) / 1000 << 0.0 << 60.0;
        QTest::newRow("second harmonic 46 dB down") << 0.0 << 0.125 * std::pow(10, -46 / 20.0) << 46.0;
    }
    void sinad()
    {
        QFETCH(double, noise);
        QFETCH(double, harmonic);
        QFETCH(double, expected);
        Tone tone;
        tone.noise = noise;
        tone.harmonic = harmonic;
        const double measured = ToneAnalysis::sinadDecibels(synthesise(tone), tone.sampleRate, tone.hz);
        if (expected >= 120)
            QVERIFY2(measured > 100, qPrintable(QString::number(measured)));
        else
            QVERIFY2(std::abs(measured - expected) < 1, qPrintable(QString::number(measured)));
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
        Tone tone;
        std::vector<float> samples = synthesise(tone);
        const float gain = static_cast<float>(std::pow(10, dipDecibels / 20));
        for (size_t i = 48000; i < 48000 + 4800; ++i)
            samples[i] *= gain;
        const double spread = ToneAnalysis::levelSpreadDecibels(samples, tone.sampleRate, tone.hz);
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
        const QString path = TestMedia::outputPath("tone.wav");
        QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                              "sine=frequency=1000:sample_rate=44100:duration=1.5", "-ac",
                                              QString::number(channels), "-c:a", codec, path}),
                 0);
        const auto audio = PcmAudio::readWav(path);
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

    void readsAnUnfinishedFile()
    {
        // A writer that was never closed leaves placeholder lengths in the header.
        const QString path = TestMedia::outputPath("unfinished.wav");
        QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                              "sine=frequency=500:sample_rate=48000:duration=1", "-c:a",
                                              "pcm_f32le", path}),
                 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const qsizetype data = bytes.indexOf("data");
        QVERIFY(data > 0);
        for (const qsizetype at : {qsizetype(4), data + 4})
            bytes.replace(at, 4, QByteArray("\xff\xff\xff\x7f", 4));
        file.seek(0);
        file.write(bytes);
        file.close();
        const auto audio = PcmAudio::readWav(path);
        QVERIFY(audio);
        QVERIFY(std::abs(audio->seconds() - 1.0) < 0.001);
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
