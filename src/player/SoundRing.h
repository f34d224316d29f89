#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

// Stereo sound frames handed from the thread that makes them to the thread that plays them,
// without a lock: one writer, one reader. Frames are numbered from the start of playback. A frame
// stays in the ring until it has been heard, not merely sent to the sound server, so that
// sending can go back to the first frame not yet heard when the server's buffer is dropped (a
// pause).
class SoundRing
{
public:
    static constexpr int channels = 2;

    explicit SoundRing(std::size_t capacityFrames)
        : m_capacity(capacityFrames), m_samples(capacityFrames * channels)
    {}

    // ---- the writer's side
    std::uint64_t written() const { return m_written.load(std::memory_order_relaxed); }
    std::size_t freeFrames() const
    {
        return m_capacity - static_cast<std::size_t>(written() - m_released.load(std::memory_order_acquire));
    }
    // Frames written but not yet sent to the server: how far the writer is ahead.
    std::size_t unsentFrames() const
    {
        return static_cast<std::size_t>(written() - m_sent.load(std::memory_order_acquire));
    }
    // `count` at most freeFrames().
    void write(const float* frames, std::size_t count)
    {
        std::uint64_t at = written();
        for (std::size_t done = 0; done < count;) {
            const std::size_t offset = static_cast<std::size_t>(at % m_capacity);
            const std::size_t run = std::min(count - done, m_capacity - offset);
            std::memcpy(&m_samples[offset * channels], frames + done * channels,
                        run * channels * sizeof(float));
            done += run;
            at += run;
        }
        m_written.store(at, std::memory_order_release);
    }

    // ---- the reader's side
    std::uint64_t sent() const { return m_sent.load(std::memory_order_relaxed); }
    std::size_t unsentForReader() const
    {
        return static_cast<std::size_t>(m_written.load(std::memory_order_acquire) - sent());
    }
    // Copies up to `count` unsent frames and counts them as sent.
    std::size_t send(float* to, std::size_t count)
    {
        std::uint64_t at = sent();
        count = std::min(count, unsentForReader());
        for (std::size_t done = 0; done < count;) {
            const std::size_t offset = static_cast<std::size_t>(at % m_capacity);
            const std::size_t run = std::min(count - done, m_capacity - offset);
            std::memcpy(to + done * channels, &m_samples[offset * channels], run * channels * sizeof(float));
            done += run;
            at += run;
        }
        m_sent.store(at, std::memory_order_release);
        return count;
    }
    // Frames before `frame` have been heard; their room may be written again.
    void release(std::uint64_t frame)
    {
        m_released.store(std::max(frame, m_released.load(std::memory_order_relaxed)),
                         std::memory_order_release);
    }
    std::uint64_t released() const { return m_released.load(std::memory_order_relaxed); }
    // Sends again from `frame` on (frames already heard are not sent again).
    void resendFrom(std::uint64_t frame)
    {
        m_sent.store(std::max(frame, released()), std::memory_order_release);
    }
    // Drops everything before `frame`, heard or not: the writer has gone elsewhere (a seek).
    void dropBefore(std::uint64_t frame)
    {
        if (frame <= sent())
            return;
        m_sent.store(frame, std::memory_order_release);
        release(frame);
    }

private:
    const std::size_t m_capacity;
    std::vector<float> m_samples;
    std::atomic<std::uint64_t> m_written = 0;
    std::atomic<std::uint64_t> m_sent = 0;
    std::atomic<std::uint64_t> m_released = 0;
};
