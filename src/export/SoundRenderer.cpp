#include "export/SoundRenderer.h"

#include "player/LoopingReader.h"
#include "player/SoundDecoder.h"
#include "player/SoundStretcher.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace {

constexpr int channels = 2;
constexpr std::size_t blockFrames = 512;
// The player's own join, so that the file sounds as playback does.
constexpr std::size_t joinFadeFrames = SoundRenderer::rate * 30 / 1000;
constexpr std::size_t edgeFadeFrames = SoundRenderer::rate * 15 / 1000;

std::int64_t frameAt(double seconds)
{
    return std::llround(seconds * SoundRenderer::rate);
}

// The finished sound on its way to the sink: faded in over the file's first frames and, held back
// by the fade's length, faded out over its last, which are known only once the sound has ended.
class FileEdges
{
public:
    explicit FileEdges(const SoundRenderer::Sink& sink) : m_sink(sink) {}

    std::size_t made() const { return m_made; }

    bool add(float* frames, std::size_t count)
    {
        for (std::size_t i = 0; i < count && m_made + i < edgeFadeFrames; ++i)
            scale(frames + i * channels, m_made + i);
        m_made += count;
        m_held.insert(m_held.end(), frames, frames + count * channels);
        const std::size_t held = m_held.size() / channels;
        if (held <= edgeFadeFrames)
            return true;
        const std::size_t ready = held - edgeFadeFrames;
        if (!m_sink(m_held.data(), ready))
            return false;
        m_held.erase(m_held.begin(), m_held.begin() + static_cast<std::ptrdiff_t>(ready * channels));
        return true;
    }

    bool finish()
    {
        const std::size_t held = m_held.size() / channels;
        for (std::size_t i = 0; i < held; ++i)
            scale(&m_held[i * channels], held - 1 - i);
        return held == 0 || m_sink(m_held.data(), held);
    }

private:
    // A frame this many frames from the file's edge, on a raised-cosine curve.
    static void scale(float* frame, std::size_t fromEdge)
    {
        if (fromEdge >= edgeFadeFrames)
            return;
        const double angle = (static_cast<double>(fromEdge) + 0.5) / edgeFadeFrames * std::numbers::pi / 2;
        const auto gain = static_cast<float>(std::sin(angle) * std::sin(angle));
        frame[0] *= gain;
        frame[1] *= gain;
    }

    const SoundRenderer::Sink& m_sink;
    std::size_t m_made = 0;
    std::vector<float> m_held;
};

} // namespace

double SoundRenderer::Plan::seconds() const
{
    return std::accumulate(passSpeeds.begin(), passSpeeds.end(), 0.0,
                           [this](double sum, double speed) { return sum + (to - from) / speed; });
}

SoundRenderer::Result SoundRenderer::render(const Plan& plan, const Sink& sink)
{
    m_progress.store(0);
    SoundDecoder decoder(rate);
    if (plan.passSpeeds.empty() || !decoder.open(plan.moviePath))
        return Result::NoSound;
    const std::int64_t from = frameAt(plan.from), to = frameAt(plan.to);
    const std::size_t passes = plan.passSpeeds.size();
    LoopingReader reader(decoder, joinFadeFrames);
    reader.seek(from);
    SoundStretcher stretcher(rate, blockFrames);
    stretcher.restart(plan.passSpeeds[0], plan.pitchScale, decoder.isMono());
    // As the player does: a sound of one channel is heard as it is, whatever the view.
    SoundViewFilter view(rate);
    view.setView(decoder.isMono() ? SoundView::BothChannels : plan.view);
    view.restart();
    FileEdges out(sink);
    const double total = std::max(1.0, plan.seconds() * rate);

    float block[blockFrames * channels];
    float made[blockFrames * channels];
    double due = 0; // frames of sound the frames read so far make at their passes' speeds
    // Hands on what the stretcher has made, never more than is due: after the last block it makes
    // sound of the silence that pushes its last moments out.
    const auto handOn = [&] {
        const auto dueFrames = static_cast<std::size_t>(std::llround(due));
        while (out.made() < dueFrames) {
            const std::size_t got = stretcher.retrieve(made, std::min(blockFrames, dueFrames - out.made()));
            if (got == 0)
                return true;
            view.process(made, made, got);
            if (!out.add(made, got))
                return false;
            m_progress.store(std::min(1.0, static_cast<double>(out.made()) / total));
        }
        return true;
    };

    std::size_t pass = 0;
    std::int64_t next = from;
    // Frames still to be fed before the stretcher takes the speed of the pass under way; -1: none.
    std::int64_t untilSpeedChange = -1;
    while (!m_cancelled.load()) {
        if (untilSpeedChange == 0) {
            stretcher.change(plan.passSpeeds[pass], plan.pitchScale);
            untilSpeedChange = -1;
        }
        // The last pass ends at the loop's end, where a join would otherwise begin.
        const bool lastPass = pass + 1 == passes;
        reader.setLoop(lastPass ? 0 : from, lastPass ? 0 : to);
        std::int64_t want = lastPass ? std::clamp<std::int64_t>(to - next, 0, blockFrames) : blockFrames;
        if (untilSpeedChange > 0)
            want = std::min(want, untilSpeedChange);
        const LoopingReader::Run run =
            want == 0 ? LoopingReader::Run{} : reader.read(block, static_cast<std::size_t>(want));
        if (run.frames == 0) {
            stretcher.pushOut();
            if (!handOn() || !out.finish())
                return Result::SinkFailed;
            m_progress.store(1.0);
            return Result::Done;
        }
        // Back at the loop's beginning, halfway through the join: the next pass. The stretcher
        // works on each frame a little after it is fed, so the new speed is set once the frames of
        // the old pass have all reached its work, and the frames on from the join's middle have not.
        if (run.firstFrame < next && !lastPass) {
            ++pass;
            untilSpeedChange = static_cast<std::int64_t>(stretcher.inputDelay());
            if (untilSpeedChange == 0)
                stretcher.change(plan.passSpeeds[pass], plan.pitchScale);
        }
        next = run.firstFrame + static_cast<std::int64_t>(run.frames);
        due += static_cast<double>(run.frames) / plan.passSpeeds[pass];
        stretcher.process(block, run.frames, false);
        if (untilSpeedChange > 0)
            untilSpeedChange =
                std::max<std::int64_t>(0, untilSpeedChange - static_cast<std::int64_t>(run.frames));
        if (!handOn())
            return Result::SinkFailed;
    }
    return Result::Cancelled;
}
