#include "player/PulseSoundSink.h"

#include "player/SoundRing.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace {

// 40 ms in the server: short enough for a pause to be heard at once, long enough not to run dry
// while the machine is busy decoding a large picture.
constexpr double bufferSeconds = 0.040;
// The server starts playing once this much has arrived: little, so that the last sound of a movie
// is not held back waiting for more.
constexpr double startSeconds = 0.010;

std::uint32_t bytesOf(double seconds, int rate)
{
    return static_cast<std::uint32_t>(seconds * rate) * SoundRing::channels * sizeof(float);
}

} // namespace

std::unique_ptr<PulseSoundSink> PulseSoundSink::connect(int rate, std::string& why)
{
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, static_cast<std::uint32_t>(rate), SoundRing::channels};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = bytesOf(bufferSeconds, rate);
    buffer.prebuf = bytesOf(startSeconds, rate);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Reelquill", PA_STREAM_PLAYBACK, nullptr, "Movie sound",
                                      &format, nullptr, &buffer, &error);
    if (stream == nullptr) {
        why = pa_strerror(error);
        return nullptr;
    }
    return std::unique_ptr<PulseSoundSink>(new PulseSoundSink(stream, rate));
}

PulseSoundSink::~PulseSoundSink()
{
    pa_simple_free(m_stream);
}

bool PulseSoundSink::write(const float* frames, std::size_t count)
{
    int error = 0;
    return pa_simple_write(m_stream, frames, count * SoundRing::channels * sizeof(float), &error) >= 0;
}

std::size_t PulseSoundSink::pendingFrames()
{
    int error = 0;
    const pa_usec_t latency = pa_simple_get_latency(m_stream, &error);
    if (latency == static_cast<pa_usec_t>(-1))
        return 0;
    return static_cast<std::size_t>(static_cast<double>(latency) * m_rate / 1e6);
}

void PulseSoundSink::drop()
{
    int error = 0;
    pa_simple_flush(m_stream, &error);
}
