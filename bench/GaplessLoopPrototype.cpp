#include "GaplessLoopPrototype.h"

#include <rubberband/RubberBandStretcher.h>

#include <QProcess>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr int channels = 2;
constexpr size_t blockFrames = 512;
// How far the writer may run ahead of the sound server; pacat's own latency comes on top.
constexpr qint64 aheadBytes = rate / 10 * channels * static_cast<qint64>(sizeof(float));

// The loop's sound, interleaved, as the engine would decode it.
std::vector<float> decodeLoop(const LoopPrototypeSettings& settings)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-ss", QString::number(settings.from), "-t",
                            QString::number(settings.to - settings.from), "-i", settings.movie, "-vn", "-f",
                            "f32le", "-ac", QString::number(channels), "-ar", QString::number(rate), "-"});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {};
    const QByteArray bytes = ffmpeg.readAllStandardOutput();
    std::vector<float> samples(static_cast<size_t>(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}

} // namespace

int playGaplessLoopPrototype(const LoopPrototypeSettings& settings)
{
    const std::vector<float> loop = decodeLoop(settings);
    const size_t loopFrames = loop.size() / channels;
    if (loopFrames < blockFrames)
        return 1;

    using RubberBand::RubberBandStretcher;
    RubberBandStretcher stretcher(rate, channels,
                                  RubberBandStretcher::OptionProcessRealTime |
                                      RubberBandStretcher::OptionEngineFiner |
                                      RubberBandStretcher::OptionFormantShifted,
                                  1.0 / settings.speed, settings.pitchScale);
    QProcess output;
    output.start("pacat", {"--raw", "--format=float32le", QStringLiteral("--channels=%1").arg(channels),
                           QStringLiteral("--rate=%1").arg(rate), "--latency-msec=50"});
    if (!output.waitForStarted(5000))
        return 1;

    // The stretcher starts with silence of its own: padding it in and dropping as much of its
    // output makes the first sound start at once. This happens once, never at a wrap.
    std::vector<float> pad(stretcher.getPreferredStartPad(), 0.0f);
    std::vector<const float*> padPlanes(channels, pad.data());
    stretcher.process(padPlanes.data(), pad.size(), false);
    size_t toDrop = stretcher.getStartDelay();

    std::vector<std::vector<float>> in(channels, std::vector<float>(blockFrames));
    std::vector<std::vector<float>> out(channels, std::vector<float>(blockFrames * 4));
    std::vector<float> interleaved;
    size_t loopFrame = 0;
    const auto framesWanted = static_cast<qint64>(settings.seconds) * rate;
    qint64 framesWritten = 0;
    while (framesWritten < framesWanted && output.state() == QProcess::Running) {
        // The next block of the loop; at its end the loop's beginning follows in the same block.
        for (size_t frame = 0; frame < blockFrames; ++frame, loopFrame = (loopFrame + 1) % loopFrames)
            for (int channel = 0; channel < channels; ++channel)
                in[channel][frame] = loop[loopFrame * channels + channel];
        std::vector<const float*> inPlanes{in[0].data(), in[1].data()};
        stretcher.process(inPlanes.data(), blockFrames, false);

        while (stretcher.available() > 0) {
            const size_t got = stretcher.retrieve(
                std::vector<float*>{out[0].data(), out[1].data()}.data(),
                std::min<size_t>(static_cast<size_t>(stretcher.available()), out[0].size()));
            const size_t dropped = std::min(toDrop, got);
            toDrop -= dropped;
            interleaved.clear();
            for (size_t frame = dropped; frame < got; ++frame)
                for (int channel = 0; channel < channels; ++channel)
                    interleaved.push_back(out[channel][frame]);
            output.write(reinterpret_cast<const char*>(interleaved.data()),
                         static_cast<qint64>(interleaved.size() * sizeof(float)));
            framesWritten += static_cast<qint64>(got - dropped);
        }
        // Real time: pacat takes the sound as fast as the server plays it.
        while (output.bytesToWrite() > aheadBytes && output.state() == QProcess::Running)
            output.waitForBytesWritten(1000);
    }
    output.closeWriteChannel();
    output.waitForFinished(5000);
    return 0;
}
