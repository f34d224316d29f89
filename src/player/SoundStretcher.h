#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

// Changes the sound's speed and pitch apart with Rubber Band's "finer" engine in real-time mode:
// one stretcher for the whole playback, whose settings change between blocks and which is never
// reset at a loop's join. Its start delay is padded in and dropped once after each restart (an
// open, a seek), so the first sound is heard at once. Sound as recorded passes by it untouched,
// costing nothing; once stretched, it stays in the stretcher until the next restart, since
// leaving would skip what the stretcher holds.
class SoundStretcher
{
public:
    SoundStretcher(int rate, std::size_t blockFrames);
    ~SoundStretcher();

    // `mono`: both channels carry the same sound, which is then stretched once.
    void restart(double speed, double pitchScale, bool mono);
    // True when the stretcher started afresh: the sound was as recorded until now.
    bool change(double speed, double pitchScale);
    // True while made sound waits to be retrieved.
    bool holdsMore() const;
    // Movie seconds per second heard.
    double speed() const { return m_speed; }
    // How many frames are fed after a frame before the stretcher works on it: a new speed holds
    // for the frames fed this long before it is set.
    std::size_t inputDelay() const;

    // Interleaved stereo; `frames` at most the block size. `last` after the sound's last block.
    void process(const float* frames, std::size_t count, bool last);
    // After the last block: silence as long as the stretcher's delay, so that all it holds comes
    // out (followed by what it makes of the silence).
    void pushOut();
    // Up to `count` frames of what is ready.
    std::size_t retrieve(float* to, std::size_t count);

private:
    void startStretching();
    void feedSilence(std::size_t frames);
    void apply();

    const int m_rate;
    const std::size_t m_blockFrames;
    std::unique_ptr<RubberBand::RubberBandStretcher> m_stretcher;
    bool m_stretching = false;
    bool m_mono = false;
    double m_speed = 1.0;
    double m_pitchScale = 1.0;
    std::size_t m_toDrop = 0;

    // Sound as recorded, waiting to be retrieved.
    std::vector<float> m_passed;
    std::size_t m_passedRead = 0;
    // One channel each, for the stretcher.
    std::vector<float> m_left, m_right;
};
