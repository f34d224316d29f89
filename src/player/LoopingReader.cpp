#include "player/LoopingReader.h"

#include "player/SoundRing.h"
#include "player/SoundSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int channels = SoundRing::channels;

// Reads `count` frames, silence where the sound has ended.
void readWhole(SoundSource& source, float* to, std::size_t count)
{
    const std::size_t got = source.read(to, count);
    std::fill(to + got * channels, to + count * channels, 0.0f);
}

// A quarter wave's angle at `frame` of `length`, taken at the frame's middle.
double quarterWave(std::size_t frame, std::size_t length)
{
    return (static_cast<double>(frame) + 0.5) / static_cast<double>(length) * std::numbers::pi / 2;
}

} // namespace

LoopingReader::LoopingReader(SoundSource& source, std::size_t fadeFrames)
    : m_source(source), m_fadeFrames(fadeFrames), m_join(fadeFrames * channels), m_joinRead(fadeFrames),
      m_beginning(fadeFrames * channels)
{}

void LoopingReader::setLoop(std::int64_t from, std::int64_t to)
{
    m_from = from;
    m_to = to;
}

void LoopingReader::seek(std::int64_t frame)
{
    m_next = std::max<std::int64_t>(0, frame);
    m_joinRead = m_fadeFrames;
    m_source.seekToFrame(m_next);
}

std::int64_t LoopingReader::leadIn() const
{
    const auto half = static_cast<std::int64_t>(m_fadeFrames / 2);
    return m_pauseFrames > 0 ? half : std::min(half, m_from);
}

bool LoopingReader::loopsAhead() const
{
    // A loop shorter than its join, or one already passed (a seek beyond its end), loops nowhere.
    return m_from < m_to && joinStart() - m_from >= static_cast<std::int64_t>(m_fadeFrames) &&
           m_next <= joinStart();
}

LoopingReader::Run LoopingReader::read(float* to, std::size_t count)
{
    if (m_joinRead < m_fadeFrames)
        return readJoin(to, count);
    if (loopsAhead() && m_next == joinStart()) {
        makeJoin();
        return readJoin(to, count);
    }
    if (loopsAhead())
        count = std::min(count, static_cast<std::size_t>(joinStart() - m_next));
    const Run run{m_source.read(to, count), m_next};
    m_next += static_cast<std::int64_t>(run.frames);
    return run;
}

void LoopingReader::makeJoin()
{
    // The end is read on past the loop's end, then the source goes back to just before its
    // beginning: both ends' fades are centred on the ends. With a pause the end fades out before
    // the loop's end and the beginning fades in from the loop's beginning.
    m_joinLeadIn = leadIn();
    m_joinFrom = m_from;
    m_joinTo = m_to;
    m_joinPause = m_pauseFrames;
    m_pauseRead = 0;
    const bool pauses = m_joinPause > 0;
    const auto half = static_cast<std::size_t>(m_joinLeadIn);
    readWhole(m_source, m_join.data(), m_fadeFrames);
    // The source is left where reading goes on after the join.
    m_source.seekToFrame(pauses ? m_from : m_from - m_joinLeadIn);
    readWhole(m_source, m_beginning.data(), pauses ? m_fadeFrames - half : m_fadeFrames);
    for (std::size_t frame = 0; frame < m_fadeFrames; ++frame) {
        // A pause's fades are raised cosines, so that neither end of the silence steps.
        float out = 0, in = 0;
        std::size_t beginning = frame;
        if (!pauses) {
            out = static_cast<float>(std::cos(quarterWave(frame, m_fadeFrames)));
            in = static_cast<float>(std::sin(quarterWave(frame, m_fadeFrames)));
        } else if (frame < half) {
            out = static_cast<float>(std::pow(std::cos(quarterWave(frame, half)), 2));
        } else {
            beginning = frame - half;
            in = static_cast<float>(std::pow(std::sin(quarterWave(beginning, half)), 2));
        }
        for (int channel = 0; channel < channels; ++channel) {
            float& sample = m_join[frame * channels + channel];
            sample = sample * out + m_beginning[beginning * channels + channel] * in;
        }
    }
    m_joinRead = 0;
    m_next = m_joinFrom + static_cast<std::int64_t>(m_fadeFrames) - m_joinLeadIn;
}

LoopingReader::Run LoopingReader::readJoin(float* to, std::size_t count)
{
    // Up to the middle of the join, time is the loop's end; after it (and the pause), the loop's
    // beginning.
    const auto middle = static_cast<std::size_t>(m_joinLeadIn);
    if (m_joinRead == middle && m_pauseRead < m_joinPause) {
        const auto take = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(count), m_joinPause - m_pauseRead));
        std::fill_n(to, take * channels, 0.0f);
        const bool wraps = m_pauseRead == 0;
        m_pauseRead += static_cast<std::int64_t>(take);
        return {take, m_joinFrom, wraps, true};
    }
    const bool beforeMiddle = m_joinRead < middle;
    const std::size_t limit = beforeMiddle ? middle : m_fadeFrames;
    const std::size_t take = std::min(count, limit - m_joinRead);
    std::copy_n(m_join.begin() + static_cast<std::ptrdiff_t>(m_joinRead * channels), take * channels, to);
    const std::int64_t first = beforeMiddle ? m_joinTo - m_joinLeadIn + static_cast<std::int64_t>(m_joinRead)
                                            : m_joinFrom + static_cast<std::int64_t>(m_joinRead - middle);
    const bool wraps = m_joinRead == middle && m_joinPause == 0;
    m_joinRead += take;
    return {take, first, wraps, false};
}
