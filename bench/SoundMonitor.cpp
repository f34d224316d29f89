#include "SoundMonitor.h"

#include "MonotonicClock.h"
#include "PrivateSoundServer.h"
#include "Stats.h"

#include <pulse/simple.h>

#include <chrono>
#include <string>

namespace {
constexpr int rate = PrivateSoundServer::sampleRate;
// Reads of 5 ms: the sink then plays its sound in blocks no longer than this.
constexpr size_t readFrames = rate / 200;
constexpr pa_sample_spec monoFloat{PA_SAMPLE_FLOAT32LE, rate, 1};

pa_simple* connect(pa_stream_direction_t direction, const char* device, const pa_buffer_attr& buffer)
{
    return pa_simple_new(nullptr, "reelquill-bench", direction, device, "measure", &monoFloat, nullptr,
                         &buffer, nullptr);
}

double latencyMs(pa_simple* stream)
{
    return static_cast<double>(pa_simple_get_latency(stream, nullptr)) / 1000.0;
}
} // namespace

double SoundMonitor::Recording::timeOfMs(size_t index) const
{
    return firstSampleMs + static_cast<double>(index) * 1000.0 / rate;
}

SoundMonitor::~SoundMonitor()
{
    stop();
}

bool SoundMonitor::start()
{
    const std::string monitor = std::string(PrivateSoundServer::sinkName) + ".monitor";
    const auto bytes = static_cast<uint32_t>(readFrames * sizeof(float));
    m_stream = connect(PA_STREAM_RECORD, monitor.c_str(), {static_cast<uint32_t>(-1), 0, 0, 0, bytes});
    if (m_stream == nullptr)
        return false;
    m_samples.clear();
    m_starts.clear();
    m_recorded = 0;
    m_stopping = false;
    m_thread = std::thread([this] { record(); });
    return true;
}

bool SoundMonitor::waitForSound(int timeoutMs) const
{
    constexpr size_t enough = rate / 2;
    const double deadline = monotonicMs() + timeoutMs;
    while (m_recorded < enough && monotonicMs() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return m_recorded >= enough;
}

void SoundMonitor::record()
{
    std::vector<float> block(readFrames);
    while (!m_stopping &&
           pa_simple_read(m_stream, block.data(), block.size() * sizeof(float), nullptr) == 0) {
        const double now = monotonicMs();
        m_samples.insert(m_samples.end(), block.begin(), block.end());
        m_recorded = m_samples.size();
        m_starts.push_back(now - static_cast<double>(m_samples.size()) * 1000.0 / rate);
    }
}

SoundMonitor::Recording SoundMonitor::stop()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        m_thread.join();
    }
    if (m_stream != nullptr) {
        pa_simple_free(m_stream);
        m_stream = nullptr;
    }
    // Each read returns a little late now and then, the thread woken late.
    Recording recording{std::move(m_samples), median(m_starts)};
    m_starts.clear();
    return recording;
}

std::vector<double> playBeepsOnTime(const std::vector<float>& beepSamples, int count)
{
    const auto bytes = static_cast<uint32_t>(rate / 20 * sizeof(float));
    pa_simple* stream =
        connect(PA_STREAM_PLAYBACK, PrivateSoundServer::sinkName,
                {static_cast<uint32_t>(-1), bytes, static_cast<uint32_t>(-1), static_cast<uint32_t>(-1), 0});
    if (stream == nullptr)
        return {};
    const std::vector<float> silence(rate / 2, 0.0f);
    const auto write = [stream](const std::vector<float>& samples, size_t frames) {
        return pa_simple_write(stream, samples.data(), std::min(frames, samples.size()) * sizeof(float),
                               nullptr) == 0;
    };
    std::vector<double> due;
    bool written = write(silence, silence.size());
    for (int beep = 0; written && beep < count; ++beep) {
        due.push_back(monotonicMs() + latencyMs(stream));
        written =
            write(beepSamples, beepSamples.size()) && write(silence, silence.size() - beepSamples.size());
    }
    written = written && write(silence, silence.size()) && pa_simple_drain(stream, nullptr) == 0;
    pa_simple_free(stream);
    return written ? due : std::vector<double>{};
}
