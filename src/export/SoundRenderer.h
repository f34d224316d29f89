#pragma once

#include "player/SoundView.h"

#include <QString>

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

// Makes a movie's sound as the player plays it, as fast as the processor allows, for writing to a
// file: decoded, read across the loop's joins with the player's 30 ms crossfade, stretched by one
// stretcher that is never reset (at each join it takes the next pass's speed), then turned into the
// sound view. The file's first and last 15 ms are faded, so that it neither starts nor ends with a
// click. It opens the movie with a decoder of its own, so that playback goes on meanwhile.
class SoundRenderer
{
public:
    static constexpr int rate = 48000;

    struct Plan
    {
        QString moviePath;
        // Movie seconds: the loop, from its beginning to the moment it joins its beginning again;
        // with one pass, the stretch played once (the whole movie: 0 to its duration).
        double from = 0;
        double to = 0;
        // Movie seconds per second heard, one for each pass.
        std::vector<double> passSpeeds{1.0};
        double pitchScale = 1.0;
        SoundView view = SoundView::BothChannels;

        // Seconds of sound the plan makes, each pass at its speed.
        double seconds() const;
    };

    enum class Result
    {
        Done,
        Cancelled,
        NoSound,   // the movie could not be opened or has no sound
        SinkFailed // the sink refused a block (a write failed)
    };

    // Interleaved stereo frames at `rate`; false stops the render.
    using Sink = std::function<bool(const float* frames, std::size_t count)>;

    // Runs on the calling thread until the plan is made, cancelled or the sink fails.
    Result render(const Plan& plan, const Sink& sink);

    // From any thread: the render stops at its next block.
    void cancel() { m_cancelled.store(true); }
    // From any thread: the part of the plan's sound handed to the sink so far, 0 to 1.
    double progress() const { return m_progress.load(); }

private:
    std::atomic_bool m_cancelled = false;
    std::atomic<double> m_progress = 0.0;
};
