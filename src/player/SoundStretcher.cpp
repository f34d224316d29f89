#include "player/SoundStretcher.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>

using RubberBand::RubberBandStretcher;

namespace {

// Measured on a pure tone: the "finer" engine with shifted formants keeps 56-64 dB of signal to
// noise and distortion at every tempo, pitch and rate tried; "faster" keeps 35-49 dB for half the
// processor time, and preserved formants fall to 13-15 dB an octave down. Pitch is exact in all.
// The rest as mpv's filter sets them: pitch changes made while playing stay smooth (high
// consistency), and both channels are analysed together.
constexpr RubberBandStretcher::Options stretchOptions =
    RubberBandStretcher::OptionProcessRealTime | RubberBandStretcher::OptionEngineFiner |
    RubberBandStretcher::OptionFormantShifted | RubberBandStretcher::OptionPitchHighConsistency |
    RubberBandStretcher::OptionChannelsTogether;

bool isNeutral(double speed, double pitchScale)
{
    return speed == 1.0 && pitchScale == 1.0;
}

} // namespace

SoundStretcher::SoundStretcher(int rate, std::size_t blockFrames)
    : m_rate(rate), m_blockFrames(blockFrames), m_left(blockFrames * 8), m_right(blockFrames * 8)
{}

SoundStretcher::~SoundStretcher() = default;

void SoundStretcher::restart(double speed, double pitchScale, bool mono)
{
    if (mono != m_mono)
        m_stretcher.reset();
    m_mono = mono;
    m_speed = speed;
    m_pitchScale = pitchScale;
    m_passed.clear();
    m_passedRead = 0;
    m_stretching = false;
    if (!isNeutral(speed, pitchScale))
        startStretching();
}

bool SoundStretcher::change(double speed, double pitchScale)
{
    if (speed == m_speed && pitchScale == m_pitchScale)
        return false;
    m_speed = speed;
    m_pitchScale = pitchScale;
    if (m_stretching) {
        apply();
        return false;
    }
    if (isNeutral(speed, pitchScale))
        return false;
    startStretching();
    return true;
}

bool SoundStretcher::holdsMore() const
{
    if (!m_stretching)
        return m_passedRead < m_passed.size() / 2;
    return m_stretcher->available() > 0;
}

std::size_t SoundStretcher::inputDelay() const
{
    return m_stretching ? m_stretcher->getPreferredStartPad() : 0;
}

void SoundStretcher::startStretching()
{
    if (!m_stretcher) {
        m_stretcher = std::make_unique<RubberBandStretcher>(m_rate, m_mono ? 1 : 2, stretchOptions);
        m_stretcher->setMaxProcessSize(m_blockFrames);
    } else {
        m_stretcher->reset();
    }
    apply();
    // The stretcher's own start: silence in, as much out dropped, so the first sound comes at once.
    feedSilence(m_stretcher->getPreferredStartPad());
    m_toDrop = m_stretcher->getStartDelay();
    m_stretching = true;
}

void SoundStretcher::pushOut()
{
    if (!m_stretching)
        return;
    const double delay =
        static_cast<double>(m_stretcher->getPreferredStartPad() + m_stretcher->getStartDelay());
    feedSilence(static_cast<std::size_t>(delay * std::max(1.0, m_speed)));
}

void SoundStretcher::feedSilence(std::size_t frames)
{
    std::fill(m_left.begin(), m_left.end(), 0.0f);
    for (std::size_t done = 0; done < frames;) {
        const std::size_t count = std::min(frames - done, m_blockFrames);
        const float* planes[] = {m_left.data(), m_left.data()};
        m_stretcher->process(planes, count, false);
        done += count;
    }
}

void SoundStretcher::apply()
{
    m_stretcher->setTimeRatio(1.0 / m_speed);
    m_stretcher->setPitchScale(m_pitchScale);
}

void SoundStretcher::process(const float* frames, std::size_t count, bool last)
{
    if (!m_stretching) {
        if (m_passedRead == m_passed.size() / 2) {
            m_passed.clear();
            m_passedRead = 0;
        }
        m_passed.insert(m_passed.end(), frames, frames + count * 2);
        return;
    }
    for (std::size_t frame = 0; frame < count; ++frame) {
        m_left[frame] = frames[frame * 2];
        m_right[frame] = frames[frame * 2 + 1];
    }
    const float* planes[] = {m_left.data(), m_right.data()};
    m_stretcher->process(planes, count, last);
}

std::size_t SoundStretcher::retrieve(float* to, std::size_t count)
{
    if (!m_stretching) {
        const std::size_t take = std::min(count, m_passed.size() / 2 - m_passedRead);
        std::copy_n(m_passed.begin() + static_cast<std::ptrdiff_t>(m_passedRead * 2), take * 2, to);
        m_passedRead += take;
        return take;
    }
    std::size_t made = 0;
    while (made < count) {
        const int available = m_stretcher->available();
        if (available <= 0)
            break;
        const std::size_t take = std::min({count - made, static_cast<std::size_t>(available), m_left.size()});
        float* planes[] = {m_left.data(), m_right.data()};
        const std::size_t got = m_stretcher->retrieve(planes, take);
        // The start delay's frames are the stretcher's own silence.
        const std::size_t dropped = std::min(m_toDrop, got);
        m_toDrop -= dropped;
        for (std::size_t frame = dropped; frame < got; ++frame, ++made) {
            to[made * 2] = m_left[frame];
            to[made * 2 + 1] = m_mono ? m_left[frame] : m_right[frame];
        }
    }
    return made;
}
