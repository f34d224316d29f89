#pragma once

#include <array>
#include <cstddef>

// The part of a film's sound a musician wants to hear, picked out of its two channels. The views
// need two channels: a one-channel sound plays as it is whatever the view.
enum class SoundView
{
    BothChannels,  // as recorded
    LeftOnly,      // the left channel on both sides
    RightOnly,     // the right channel on both sides
    Mono,          // both channels averaged, on both sides
    WithoutCentre, // left less right on both sides: whatever is the same in both channels goes
    BassOnly,      // below the crossover at 250 Hz, each channel on its side
    WithoutBass,   // above the crossover, each channel on its side
};

// Turns interleaved stereo frames into a sound view's, block by block, for the sound as it plays
// or as it is written out. A change of view fades from the old view's sound into the new one's
// over 15 ms, so that it makes no step; a change asked for during a fade follows when the fade
// ends. The bass views split the sound with a Linkwitz-Riley crossover (fourth order: two
// Butterworth sections each way), whose halves add up to the whole at an even level (only its
// phase turns). The crossover runs only while a bass view is heard or faded; it starts at rest,
// and the fade brings in its first moments. It allocates nothing and takes no lock: it is one
// thread's, and BothChannels in place costs nothing.
class SoundViewFilter
{
public:
    explicit SoundViewFilter(int rate);

    // Takes effect with the next frame processed.
    void setView(SoundView view) { m_wanted = view; }
    // The view asked for, at once and without a fade: for sound that starts afresh (a seek, Play
    // after a pause), where nothing before it is heard to fade from.
    void restart();
    // `in` may be `out`.
    void process(const float* in, float* out, std::size_t frames);

private:
    struct Frame
    {
        float left = 0, right = 0;
    };
    // One second-order section, with its past for each channel.
    struct Section
    {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
        std::array<std::array<double, 2>, 2> past{}; // for each channel
        double run(double x, int channel);
        // Lets what is left of a sound gone silent go to zero, so that a crossover fed silence
        // does not go on computing with denormal numbers, which are slow.
        void settle();
    };
    // Two sections one after the other: one half of the crossover.
    using Half = std::array<Section, 2>;
    static float through(Half& half, float x, int channel);

    Frame viewed(SoundView view, Frame in) const;
    void startFade();
    void startCrossover();

    const std::size_t m_fadeFrames;
    SoundView m_wanted = SoundView::BothChannels;
    SoundView m_shown = SoundView::BothChannels;
    SoundView m_fadingFrom = SoundView::BothChannels;
    std::size_t m_fadeDone = 0; // frames into the fade; m_fadeFrames when none is under way
    bool m_crossoverRuns = false;
    Half m_lowPass, m_highPass;
    Frame m_low, m_high; // the frame being processed, split
};
