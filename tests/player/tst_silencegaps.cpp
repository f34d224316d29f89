#include "support/SilenceGaps.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using Samples = std::vector<float>;
using Milliseconds = std::vector<double>;
Q_DECLARE_METATYPE(Samples)
Q_DECLARE_METATYPE(Milliseconds)

namespace {

constexpr int sampleRate = 48000;

struct Span
{
    double fromMs;
    double toMs;
};

// Three seconds of a 440 Hz tone at amplitude 0.3, silent over `holes`, and at `quietAmplitude`
// over `quiet`.
std::vector<float> toneWithHoles(const std::vector<Span>& holes, const std::vector<Span>& quiet = {},
                                 double quietAmplitude = 0.0)
{
    std::vector<float> samples(3 * sampleRate);
    for (size_t i = 0; i < samples.size(); ++i) {
        const double ms = static_cast<double>(i) * 1000.0 / sampleRate;
        const auto inside = [ms](const Span& span) { return span.fromMs <= ms && ms < span.toMs; };
        double amplitude = 0.3;
        if (std::any_of(holes.begin(), holes.end(), inside))
            amplitude = 0.0;
        else if (std::any_of(quiet.begin(), quiet.end(), inside))
            amplitude = quietAmplitude;
        samples[i] = static_cast<float>(
            amplitude * std::sin(2 * std::numbers::pi * 440.0 * static_cast<double>(i) / sampleRate));
    }
    return samples;
}

} // namespace

class SilenceGapsTest : public QObject
{
    Q_OBJECT

private slots:
    void findsTheGapsBetweenSound_data()
    {
        QTest::addColumn<Samples>("samples");
        QTest::addColumn<Milliseconds>("expected");
        QTest::newRow("continuous tone") << toneWithHoles({}) << Milliseconds{};
        QTest::newRow("one 75 ms wrap gap") << toneWithHoles({{1000, 1075}}) << Milliseconds{75};
        QTest::newRow("two gaps, in order")
            << toneWithHoles({{800, 830}, {2000, 2010}}) << Milliseconds{30, 10};
        QTest::newRow("off the window grid") << toneWithHoles({{1002, 1027}}) << Milliseconds{20};
        QTest::newRow("silent start and end are no gaps")
            << toneWithHoles({{0, 300}, {2700, 3000}}) << Milliseconds{};
        QTest::newRow("a gap between silent edges")
            << toneWithHoles({{0, 300}, {1500, 1540}, {2700, 3000}}) << Milliseconds{40};
        QTest::newRow("20 dB quieter is still sound")
            << toneWithHoles({}, {{1000, 1500}}, 0.03) << Milliseconds{};
        QTest::newRow("50 dB quieter is silence")
            << toneWithHoles({}, {{1000, 1050}}, 0.001) << Milliseconds{50};
    }

    void findsTheGapsBetweenSound()
    {
        QFETCH(Samples, samples);
        QFETCH(Milliseconds, expected);
        const Milliseconds found = SilenceGaps::lengthsMs(samples, sampleRate);
        QCOMPARE(found, expected);
    }

    void nothingInSilenceOrTooLittleSound()
    {
        QVERIFY(SilenceGaps::lengthsMs(std::vector<float>(sampleRate, 0.0f), sampleRate).empty());
        QVERIFY(SilenceGaps::lengthsMs(std::vector<float>(100, 0.5f), sampleRate).empty());
        QVERIFY(SilenceGaps::lengthsMs({}, sampleRate).empty());
    }
};

QTEST_GUILESS_MAIN(SilenceGapsTest)
#include "tst_silencegaps.moc"
