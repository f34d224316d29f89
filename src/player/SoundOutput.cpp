#include "player/SoundOutput.h"

#include "player/NullSoundSink.h"
#include "player/PulseSoundSink.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t blockFrames = 480; // 10 ms at 48 kHz
// How long the server is pushed with silence after the last sound, so that all of it is heard.
constexpr std::size_t tailFrames = 4 * blockFrames;
constexpr auto idleWait = std::chrono::milliseconds(5);
constexpr auto reconnectEvery = std::chrono::seconds(1);

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

SoundOutput::SoundOutput(SoundRing& ring, int rate, Kind kind, std::string wavePath)
    : m_ring(ring), m_rate(rate), m_kind(kind), m_wavePath(std::move(wavePath)), m_viewFilter(rate),
      m_block(new float[std::max(blockFrames, tailFrames) * SoundRing::channels]())
{
    m_thread = std::thread([this] { run(); });
}

SoundOutput::~SoundOutput()
{
    m_stop.store(true);
    m_thread.join();
    if (m_lookout.joinable())
        m_lookout.join();
    delete m_foundServer.exchange(nullptr);
}

double SoundOutput::heardFrame() const
{
    std::uint32_t version = 0;
    std::uint64_t heard = 0;
    std::int64_t at = 0;
    bool advancing = false;
    do {
        version = m_clockVersion.load(std::memory_order_acquire);
        heard = m_heard.load(std::memory_order_relaxed);
        at = m_heardAtNs.load(std::memory_order_relaxed);
        advancing = m_advancing.load(std::memory_order_relaxed);
        // The reads above stay before the second look at the version.
        std::atomic_thread_fence(std::memory_order_acquire);
    } while ((version & 1) != 0 || version != m_clockVersion.load(std::memory_order_relaxed));
    if (!advancing)
        return static_cast<double>(heard);
    const double moved = static_cast<double>(nowNs() - at) * 1e-9 * m_rate;
    return std::min(static_cast<double>(heard) + std::max(0.0, moved), static_cast<double>(m_ring.sent()));
}

void SoundOutput::publishClock(std::uint64_t heard, bool advancing)
{
    m_clockVersion.fetch_add(1, std::memory_order_acq_rel);
    m_heard.store(heard, std::memory_order_relaxed);
    m_heardAtNs.store(nowNs(), std::memory_order_relaxed);
    m_advancing.store(advancing, std::memory_order_relaxed);
    m_clockVersion.fetch_add(1, std::memory_order_release);
}

void SoundOutput::connectSink()
{
    if (m_kind == Kind::WaveFile) {
        m_sink = std::make_unique<WaveFileSink>(m_wavePath, m_rate);
        return;
    }
    if (m_kind == Kind::Server) {
        std::string why;
        if (auto server = PulseSoundSink::connect(m_rate, why)) {
            m_sink = std::move(server);
            m_onFallback = false;
            m_warned = false;
            return;
        }
        // Said once: the user hears nothing and should know why, but not every second.
        if (!m_warned)
            std::fprintf(stderr, "reelquill: no sound server (%s); playing without sound\n", why.c_str());
        m_warned = true;
        m_onFallback = true;
        m_nextConnectAttempt = std::chrono::steady_clock::now() + reconnectEvery;
    }
    if (dynamic_cast<PacedNullSink*>(m_sink.get()) == nullptr)
        m_sink = std::make_unique<PacedNullSink>(m_rate, m_kind == Kind::Null ? m_wavePath : std::string());
}

void SoundOutput::lookForServer()
{
    if (m_looking.load() || std::chrono::steady_clock::now() < m_nextConnectAttempt)
        return;
    if (m_lookout.joinable())
        m_lookout.join();
    m_looking.store(true);
    m_nextConnectAttempt = std::chrono::steady_clock::now() + reconnectEvery;
    m_lookout = std::thread([this] {
        std::string why;
        if (auto server = PulseSoundSink::connect(m_rate, why))
            m_foundServer.store(server.release());
        m_looking.store(false);
    });
}

void SoundOutput::takeFoundServer()
{
    SoundSink* found = m_foundServer.exchange(nullptr);
    if (found == nullptr)
        return;
    // What the null sink held was never heard; it is sent again to the server.
    const std::size_t unheard = m_sink->pendingFrames();
    m_ring.resendFrom(m_ring.sent() - std::min<std::uint64_t>(unheard, m_ring.sent()));
    m_sink.reset(found);
    m_onFallback = false;
    m_warned = false;
}

void SoundOutput::run()
{
    connectSink();
    while (!m_stop.load()) {
        if (m_onFallback) {
            takeFoundServer();
            lookForServer();
        }
        const std::uint32_t dropRequests = m_dropRequests.load();
        if (dropRequests != m_dropsDone) {
            m_dropsDone = dropRequests;
            const std::uint64_t dropBefore = m_dropBefore.load();
            m_ring.dropBefore(dropBefore);
            m_sink->drop();
            m_silenceAfterSent = 0;
            m_tailPushed = false;
            restartView();
            publishClock(dropBefore, false);
        }
        const bool playing = m_playing.load();
        if (!playing) {
            if (m_wasPlaying)
                takeBackUnheard();
            m_wasPlaying = false;
            keepServerRunning();
            continue;
        }
        if (!m_wasPlaying) {
            // The silence written while halted goes, so the sound starts at once; nothing was
            // heard meanwhile, so the volume may jump.
            m_sink->drop();
            m_silenceAfterSent = 0;
            m_appliedGain = m_gain.load();
            restartView();
        }
        m_wasPlaying = true;
        playBlock();
    }
}

void SoundOutput::takeBackUnheard()
{
    // What the server holds and nobody heard yet plays after the pause instead.
    const std::size_t unheard =
        m_sink->pendingFrames() - std::min(m_sink->pendingFrames(), m_silenceAfterSent);
    m_sink->drop();
    const std::uint64_t heard = m_ring.sent() - std::min<std::uint64_t>(unheard, m_ring.sent());
    m_ring.resendFrom(heard);
    m_silenceAfterSent = 0;
    m_tailPushed = false;
    publishClock(std::max(heard, m_ring.released()), false);
}

void SoundOutput::restartView()
{
    // Sound that starts afresh has nothing before it to fade from.
    m_viewFilter.setView(m_view.load());
    m_viewFilter.restart();
}

void SoundOutput::keepServerRunning()
{
    // Silence while a movie stands halted keeps the server's stream running, so that Play is
    // heard at once (a stream left to run dry may take a while to start again). With no movie
    // the stream runs dry and the server may rest; a file gets no silence.
    if (m_kind == Kind::WaveFile || !m_standingBy.load()) {
        std::this_thread::sleep_for(idleWait);
        return;
    }
    std::fill_n(m_block.get(), blockFrames * SoundRing::channels, 0.0f);
    if (writeToSink(m_block.get(), blockFrames))
        m_silenceAfterSent += blockFrames;
}

void SoundOutput::playBlock()
{
    const std::size_t count = m_ring.send(m_block.get(), blockFrames);
    if (count == 0) {
        // Nothing to play: the sound has ended (push out what the server holds, once) or the
        // maker is behind.
        if (m_soundEnded.load() && !m_tailPushed && m_sink->pendingFrames() > 0) {
            std::fill_n(m_block.get(), tailFrames * SoundRing::channels, 0.0f);
            writeToSink(m_block.get(), tailFrames);
            m_silenceAfterSent += tailFrames;
            m_tailPushed = true;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } else {
        m_viewFilter.setView(m_view.load());
        m_viewFilter.process(m_block.get(), m_block.get(), count);
        // The volume moves across the block, so a change makes no step in the sound.
        const float target = m_gain.load();
        const float step = (target - m_appliedGain) / static_cast<float>(count);
        float* sample = m_block.get();
        for (std::size_t frame = 0; frame < count; ++frame) {
            const float gain = m_appliedGain + step * static_cast<float>(frame + 1);
            for (int channel = 0; channel < SoundRing::channels; ++channel)
                *sample++ *= gain;
        }
        m_appliedGain = target;
        writeToSink(m_block.get(), count);
    }
    // The frame heard now: everything written, less what the server still holds, less the
    // silence that followed the last sound.
    const std::uint64_t sent = m_ring.sent();
    const std::size_t pending = m_sink->pendingFrames();
    const std::uint64_t beyond =
        std::min<std::uint64_t>(sent, pending > m_silenceAfterSent ? pending - m_silenceAfterSent : 0);
    const std::uint64_t heard = std::max(m_ring.released(), sent - beyond);
    m_ring.release(heard);
    publishClock(heard, count > 0 || beyond > 0);
}

bool SoundOutput::writeToSink(const float* frames, std::size_t count)
{
    if (m_sink->write(frames, count))
        return true;
    // The server has gone: go on at the same pace into nothing, and look for it again soon.
    if (!m_warned)
        std::fprintf(stderr,
                     "reelquill: the sound server went away; playing without sound until it returns\n");
    m_warned = true;
    m_onFallback = true;
    m_sink = std::make_unique<PacedNullSink>(m_rate);
    m_nextConnectAttempt = std::chrono::steady_clock::now() + reconnectEvery;
    return false;
}
