#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

// Which movie time each frame in the ring carries, so that the frame being heard tells the
// position. The maker of the sound writes it as it goes; the user interface reads it. The
// stretcher's output is mapped back to its input by the speed: after the start delay is dropped,
// output frame n was made from input n x speed.
class SoundTimeline
{
public:
    explicit SoundTimeline(int rate) : m_rate(rate) {}

    // ---- the maker's side
    // Playback starts afresh at `movieFrame` with ring frame `ringFrame`.
    void restart(std::uint64_t ringFrame, std::int64_t movieFrame);
    // The next frames fed to the stretcher are movie time from `movieFrame` on.
    void input(std::int64_t movieFrame);
    // Everything fed so far; the input position of the next output catches up with it when the
    // stretcher starts afresh in the middle of playback.
    void inputFed(std::size_t frames) { m_inputFed += frames; }
    void resyncOutputToInput() { m_outputInput = static_cast<double>(m_inputFed); }
    // Output frames at `speed` until everything fed has come out.
    std::size_t outputFramesLeft(double speed) const
    {
        const double left = (static_cast<double>(m_inputFed) - m_outputInput) / speed;
        return left > 0 ? static_cast<std::size_t>(left + 0.5) : 0;
    }
    // `frames` frames made at `speed` went into the ring at `ringFrame`; frames before `heard` are
    // no longer needed.
    void output(std::uint64_t ringFrame, std::size_t frames, double speed, std::uint64_t heard);

    // ---- the reader's side
    // Movie seconds of a ring frame; before the first frame of the latest restart, its start.
    std::optional<double> secondsAt(double ringFrame) const;

private:
    struct Mark
    {
        std::uint64_t ringFrame;
        double movieFrame;
        double speed; // movie frames per ring frame
    };
    struct InputStretch
    {
        double inputFrame;
        std::int64_t movieFrame;
    };
    double movieFrameOfInput(double inputFrame) const;

    const int m_rate;
    // The maker's own bookkeeping.
    std::deque<InputStretch> m_inputs;
    std::size_t m_inputFed = 0;
    double m_outputInput = 0;

    mutable std::mutex m_mutex;
    std::deque<Mark> m_marks;
    std::optional<std::pair<std::uint64_t, double>> m_start; // ring frame, movie seconds
};
