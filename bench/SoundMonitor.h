#pragma once

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

struct pa_simple;

// Records the monitor of the private sound server's null sink (PrivateSoundServer, which must run)
// from a thread of its own, each sample placed on the monotonic clock by when it arrived.
//
// The server's own latency reports for such a stream proved useless (they ramp down by hundreds of
// milliseconds while the sound flows evenly), so the times leave them out: they are off by a steady
// delay, from the sink's playing to the recording's reading, which playBeepsOnTime measures.
// The monitor passes nothing for the first second or two of a recording; waitForSound waits that out.
class SoundMonitor
{
public:
    struct Recording
    {
        std::vector<float> samples; // mono, PrivateSoundServer::sampleRate
        // When the first sample arrived, on monotonicMs's clock; NaN for a failed recording.
        double firstSampleMs = std::nan("");

        double timeOfMs(size_t index) const;
    };

    SoundMonitor() = default;
    ~SoundMonitor();
    SoundMonitor(const SoundMonitor&) = delete;
    SoundMonitor& operator=(const SoundMonitor&) = delete;

    bool start();
    // Until sound has come in for a while; false on time-out.
    bool waitForSound(int timeoutMs) const;
    Recording stop();

private:
    void record();

    pa_simple* m_stream = nullptr;
    std::thread m_thread;
    std::atomic_bool m_stopping = false;
    std::atomic_size_t m_recorded = 0;
    std::vector<float> m_samples;
    // Per read: the time the first sample would have, from the time the read returned.
    std::vector<double> m_starts;
};

// Plays `count` beeps of `beepSamples` (mono at PrivateSoundServer::sampleRate, half a second
// apart) to the private server's sink, and returns when each was due to be played by the
// server's own account, the one players keep sound and picture together by: the time written
// plus the latency the server reports. Empty when the server cannot be reached.
std::vector<double> playBeepsOnTime(const std::vector<float>& beepSamples, int count);
