#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

// Which movie time each frame in the ring carries, so that the frame being heard tells the
// position. The maker of the sound writes it as it goes; the user interface reads it. The
// stretcher's output is mapped back to its input by the speed: after the start delay is dropped,
// output frame n was made from input n x speed. It also keeps where the loop's joins lie in the
// ring, so that the user interface learns when one is heard.
class SoundTimeline
{
public:
    explicit SoundTimeline(int rate) : m_rate(rate) {}

    // ---- the maker's side
    // Playback starts afresh at `movieFrame` with ring frame `ringFrame`.
    void restart(std::uint64_t ringFrame, std::int64_t movieFrame);
    // The next frames fed to the stretcher are movie time from `movieFrame` on; `wraps`: a loop's
    // join, where time goes back; `holds`: a pause's silence, where time stands at `movieFrame`.
    void input(std::int64_t movieFrame, bool wraps = false, bool holds = false);
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
    // How many joins lie at or before `ringFrame` that were not counted by the last call.
    int takeWrapsBefore(double ringFrame);
    // The first join after `ringFrame` that has been made: its ring frame and the speed after it.
    struct Wrap
    {
        std::uint64_t ringFrame;
        double speed;
    };
    std::optional<Wrap> wrapAfter(double ringFrame) const;

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
        bool wraps;
        bool holds;
    };
    // The last stretch that starts at or before `inputFrame`.
    const InputStretch* stretchAt(double inputFrame) const;
    double movieFrameOfInput(double inputFrame) const;

    const int m_rate;
    // The maker's own bookkeeping.
    std::deque<InputStretch> m_inputs;
    std::size_t m_inputFed = 0;
    double m_outputInput = 0;

    mutable std::mutex m_mutex;
    std::deque<Mark> m_marks;
    std::deque<Wrap> m_wraps;
    std::optional<std::pair<std::uint64_t, double>> m_start; // ring frame, movie seconds
};
