#include "player/NullSoundSink.h"

#include "player/SoundRing.h"

#include <cstdint>
#include <thread>

namespace {

// A real output has a buffer; taking sound a little ahead keeps the writer from waking for
// every block.
constexpr double aheadSeconds = 0.020;

} // namespace

double PacedNullSink::secondsAhead(Clock::time_point now) const
{
    const double played = std::chrono::duration<double>(now - m_start).count();
    return static_cast<double>(m_frames) / m_rate - played;
}

bool PacedNullSink::write(const float* frames, std::size_t count)
{
    if (m_file)
        m_file->write(frames, count);
    const Clock::time_point now = Clock::now();
    // Nothing came for a while (a pause, or the sound ran dry): playing starts afresh now.
    if (m_frames == 0 || secondsAhead(now) < 0) {
        m_start = now;
        m_frames = 0;
    }
    m_frames += count;
    const double wait = secondsAhead(now) - aheadSeconds;
    if (wait > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(wait));
    return true;
}

std::size_t PacedNullSink::pendingFrames()
{
    if (m_frames == 0)
        return 0;
    const double ahead = secondsAhead(Clock::now());
    return ahead > 0 ? static_cast<std::size_t>(ahead * m_rate) : 0;
}

WaveFileSink::WaveFileSink(const std::string& path, int rate)
    : m_file(std::fopen(path.c_str(), "wb")), m_rate(rate)
{
    if (m_file != nullptr)
        writeHeader();
}

WaveFileSink::~WaveFileSink()
{
    if (m_file == nullptr)
        return;
    std::fseek(m_file, 0, SEEK_SET);
    writeHeader();
    std::fclose(m_file);
}

bool WaveFileSink::write(const float* frames, std::size_t count)
{
    if (m_file != nullptr)
        m_frames += std::fwrite(frames, sizeof(float) * SoundRing::channels, count, m_file);
    return true;
}

void WaveFileSink::writeHeader()
{
    // RIFF/WAVE with a plain "fmt " chunk of IEEE float samples; the sizes are filled in when the
    // file is closed.
    const auto u32 = [this](std::uint32_t value) { std::fwrite(&value, 4, 1, m_file); };
    const auto u16 = [this](std::uint16_t value) { std::fwrite(&value, 2, 1, m_file); };
    constexpr std::uint16_t channels = SoundRing::channels;
    constexpr std::uint16_t bytesPerFrame = channels * sizeof(float);
    const auto dataBytes = static_cast<std::uint32_t>(m_frames * bytesPerFrame);
    std::fwrite("RIFF", 1, 4, m_file);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, m_file);
    u32(16);
    u16(3); // IEEE float
    u16(channels);
    u32(static_cast<std::uint32_t>(m_rate));
    u32(static_cast<std::uint32_t>(m_rate) * bytesPerFrame);
    u16(bytesPerFrame);
    u16(32);
    std::fwrite("data", 1, 4, m_file);
    u32(dataBytes);
}
