#pragma once

#include "player/SoundSink.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

// Sound written to a WAV file (32-bit float, stereo) as fast as it comes, for the tests and the
// benchmark. Nothing is ever pending.
class WaveFileSink : public SoundSink
{
public:
    WaveFileSink(const std::string& path, int rate);
    ~WaveFileSink() override;
    bool write(const float* frames, std::size_t count) override;
    std::size_t pendingFrames() override { return 0; }
    void drop() override {}

private:
    void writeHeader();

    std::FILE* m_file;
    int m_rate;
    std::size_t m_frames = 0;
};

// Sound heard by nobody, taken at the pace it would be heard: the fallback when there is no
// sound server, and the tests' output, which may keep what it takes in a WAV file.
class PacedNullSink : public SoundSink
{
public:
    explicit PacedNullSink(int rate, const std::string& wavePath = {})
        : m_rate(rate), m_file(wavePath.empty() ? nullptr : std::make_unique<WaveFileSink>(wavePath, rate))
    {}
    bool write(const float* frames, std::size_t count) override;
    std::size_t pendingFrames() override;
    void drop() override { m_frames = 0; }

private:
    using Clock = std::chrono::steady_clock;
    double secondsAhead(Clock::time_point now) const;

    int m_rate;
    Clock::time_point m_start;
    std::size_t m_frames = 0;
    std::unique_ptr<WaveFileSink> m_file;
};
