#include "player/LoopingReader.h"
#include "player/SeekQueue.h"
#include "player/SoundSource.h"
#include "player/SoundTimeline.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Sound whose every sample is its own frame number, `length` frames long.
class CountingSource : public SoundSource
{
public:
    explicit CountingSource(std::int64_t length) : m_length(length) {}
    void seekToFrame(std::int64_t frame) override { m_next = frame; }
    std::size_t read(float* to, std::size_t count) override
    {
        std::size_t done = 0;
        for (; done < count && m_next < m_length; ++done, ++m_next)
            to[done * 2] = to[done * 2 + 1] = static_cast<float>(m_next);
        return done;
    }

private:
    std::int64_t m_length;
    std::int64_t m_next = 0;
};

struct Heard
{
    std::vector<float> samples;            // left channel
    std::vector<std::int64_t> movieFrames; // the time each frame carries (a pause stands still)
};

Heard readFrames(LoopingReader& reader, std::size_t frames, std::size_t block)
{
    Heard heard;
    std::vector<float> buffer(block * 2);
    while (heard.samples.size() < frames) {
        const LoopingReader::Run run = reader.read(buffer.data(), block);
        if (run.frames == 0)
            break;
        for (std::size_t i = 0; i < run.frames; ++i) {
            heard.samples.push_back(buffer[i * 2]);
            heard.movieFrames.push_back(run.firstFrame + (run.holds ? 0 : static_cast<std::int64_t>(i)));
        }
    }
    heard.samples.resize(std::min(frames, heard.samples.size()));
    heard.movieFrames.resize(heard.samples.size());
    return heard;
}

} // namespace

class SoundLogicTest : public QObject
{
    Q_OBJECT

private slots:
    // A loop of 2000 frames with a 200-frame fade: every pass lasts 2000 frames, the fade is
    // centred on both ends (100 frames of the end's time, then the beginning's), and the join's
    // samples are the end and the beginning weighted by cos and sin (equal power). With a pause
    // the end's last 100 frames fade out (cos squared), the pause is silence at the loop's
    // beginning, and the beginning's first 100 frames fade in (sin squared).
    void loopJoins_data()
    {
        QTest::addColumn<std::int64_t>("from");
        QTest::addColumn<std::int64_t>("start");
        QTest::addColumn<std::size_t>("block");
        QTest::addColumn<std::int64_t>("pause");
        QTest::newRow("loop in the middle, read in big blocks")
            << std::int64_t(1000) << std::int64_t(0) << std::size_t(512) << std::int64_t(0);
        QTest::newRow("read a frame at a time")
            << std::int64_t(1000) << std::int64_t(1500) << std::size_t(1) << std::int64_t(0);
        QTest::newRow("loop from the movie's start")
            << std::int64_t(0) << std::int64_t(0) << std::size_t(300) << std::int64_t(0);
        QTest::newRow("a 700-frame pause at each join")
            << std::int64_t(1000) << std::int64_t(0) << std::size_t(512) << std::int64_t(700);
    }
    void loopJoins()
    {
        QFETCH(std::int64_t, from);
        QFETCH(std::int64_t, start);
        QFETCH(std::size_t, block);
        QFETCH(std::int64_t, pause);
        const std::int64_t to = from + 2000;
        CountingSource source(100000);
        LoopingReader reader(source, 200);
        reader.setLoop(from, to);
        reader.setPause(pause);
        reader.seek(start);
        const Heard heard = readFrames(reader, 9000, block);
        QCOMPARE(heard.samples.size(), std::size_t(9000));
        // The end's fade begins this far before `to`.
        const double leadIn = pause > 0 ? 100 : static_cast<double>(std::min<std::int64_t>(100, from));
        const auto wave = [](double into, double length, bool sine) {
            const double angle = (into + 0.5) / length * std::numbers::pi / 2;
            return sine ? std::sin(angle) : std::cos(angle);
        };
        for (std::size_t i = 0; i < heard.movieFrames.size(); ++i) {
            // Each pass lasts exactly the loop's length, after the pause.
            const std::int64_t intoPass = static_cast<std::int64_t>(i) - (to - start);
            const std::int64_t after = intoPass < 0 ? -1 : intoPass % (2000 + pause);
            const bool holds = after >= 0 && after < pause;
            const std::int64_t time = after < 0 ? start + static_cast<std::int64_t>(i)
                                                : from + std::max<std::int64_t>(0, after - pause);
            QCOMPARE(heard.movieFrames[i], time);
            // Within the fade: the end read on and the beginning read early, mixed; or faded apart.
            const double end = static_cast<double>(time - to) + leadIn;
            const double beginning = after < 0 || holds ? -1 : static_cast<double>(time - from);
            double expected = holds ? 0 : static_cast<double>(time);
            if (pause > 0 && end >= 0)
                expected *= std::pow(wave(end, 100, false), 2);
            else if (pause > 0 && beginning >= 0 && beginning < 100)
                expected *= std::pow(wave(beginning, 100, true), 2);
            else if (end >= 0)
                expected = (static_cast<double>(to) - leadIn + end) * wave(end, 200, false) +
                           (static_cast<double>(from) - leadIn + end) * wave(end, 200, true);
            else if (beginning >= 0 && beginning < 200 - leadIn)
                expected = (static_cast<double>(to) + beginning) * wave(leadIn + beginning, 200, false) +
                           (static_cast<double>(from) + beginning) * wave(leadIn + beginning, 200, true);
            QVERIFY2(std::abs(heard.samples[i] - expected) < 0.01 * (1 + std::abs(expected)),
                     qPrintable(QString("frame %1: %2, not %3").arg(i).arg(heard.samples[i]).arg(expected)));
        }
    }

    // Playback sought past the loop's end, or a loop shorter than its fade, runs straight on.
    void noJoin_data()
    {
        QTest::addColumn<std::int64_t>("from");
        QTest::addColumn<std::int64_t>("to");
        QTest::addColumn<std::int64_t>("start");
        QTest::newRow("sought past the end")
            << std::int64_t(1000) << std::int64_t(3000) << std::int64_t(3100);
        QTest::newRow("loop shorter than the fade")
            << std::int64_t(1000) << std::int64_t(1150) << std::int64_t(900);
        QTest::newRow("reversed window") << std::int64_t(3000) << std::int64_t(1000) << std::int64_t(900);
    }
    void noJoin()
    {
        QFETCH(std::int64_t, from);
        QFETCH(std::int64_t, to);
        QFETCH(std::int64_t, start);
        CountingSource source(10000);
        LoopingReader reader(source, 200);
        reader.setLoop(from, to);
        reader.seek(start);
        const Heard heard = readFrames(reader, 20000, 256);
        QCOMPARE(heard.samples.size(), std::size_t(10000 - start));
        QCOMPARE(heard.movieFrames.back(), std::int64_t(9999));
    }

    // The stretcher's output mapped back to movie time: at half speed two frames heard are one of
    // the movie's, and a join's frames carry the loop's beginning.
    void timeline()
    {
        constexpr int rate = 1000;
        SoundTimeline timeline(rate);
        timeline.restart(5000, 2000);
        QCOMPARE(timeline.secondsAt(4000).value(), 2.0); // nothing made yet: the seek's target
        timeline.input(2000);
        timeline.inputFed(600);
        timeline.output(5000, 800, 0.5, 0); // made from input 0..400: movie 2000..2400
        timeline.input(1000);               // input 600 on is the loop's beginning again
        timeline.inputFed(600);
        timeline.output(5800, 800, 0.5, 0); // input 400..800 crosses the join at 600
        QCOMPARE(timeline.secondsAt(5400).value(), 2.2);
        QCOMPARE(timeline.secondsAt(6199).value(), 2.5995);
        QCOMPARE(timeline.secondsAt(6300).value(), 1.05);
    }

    // Seeks go to the engine one at a time; of those asked for meanwhile only the last follows,
    // and a seek is done only when playback restarts after it started.
    void seekQueue()
    {
        SeekQueue seeks;
        QVERIFY(seeks.ask(1));
        seeks.sent(7);
        QVERIFY(!seeks.ask(2));
        QVERIFY(!seeks.ask(3));
        QCOMPARE(seeks.target().value(), 3.0);
        QVERIFY(!seeks.restarted());      // the opening's restart, before the seek started
        QVERIFY(!seeks.replied(8, true)); // another command's reply
        QVERIFY(!seeks.replied(7, true));
        seeks.started();
        QVERIFY(seeks.restarted());
        QCOMPARE(seeks.takeNext().value(), 3.0);
        QVERIFY(!seeks.takeNext());
        // Refused: done at once, and a seek asked for afterwards goes out alone.
        QVERIFY(seeks.ask(4));
        seeks.sent(9);
        QVERIFY(seeks.replied(9, false));
        QVERIFY(!seeks.pending());
        QVERIFY(seeks.ask(5));
    }
};

QTEST_MAIN(SoundLogicTest)
#include "tst_soundlogic.moc"
