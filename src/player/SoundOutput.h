#pragma once

#include "player/SoundRing.h"
#include "player/SoundView.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

class SoundSink;

// The thread that plays the ring's frames: it copies them to the sink, applies the sound view
// and the volume, and keeps the clock of which frame is being heard now (frames written less what
// the sink still holds). It never waits on a lock of another thread and never allocates while
// playing. Without a sound server it plays into a paced null sink, on the system's clock, and
// tries the server again every second.
class SoundOutput
{
public:
    enum class Kind
    {
        Server,   // the desktop's sound server
        Null,     // nowhere (or into a WAV file, when given one), in real time
        WaveFile, // a WAV file, as fast as the sound comes
    };

    SoundOutput(SoundRing& ring, int rate, Kind kind, std::string wavePath = {});
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Called from any one other thread.
    void setPlaying(bool playing) { m_playing.store(playing); }
    // While a movie is open, halted or not, the server's stream is kept running.
    void setStandingBy(bool standingBy) { m_standingBy.store(standingBy); }
    // Frames before `frame` are not to be heard: sent but unheard ones are taken back from the
    // server. Set before writing the first frame of a new place.
    void dropBefore(std::uint64_t frame)
    {
        m_dropBefore.store(frame);
        m_dropRequests.fetch_add(1);
    }
    // After the last frame of the sound: what the server still holds is pushed out.
    void setSoundEnded(bool ended) { m_soundEnded.store(ended); }
    void setGain(float linear) { m_gain.store(linear); }
    // The view is applied here, after the stretcher, rather than where the sound is made: making
    // runs 150 ms ahead, and here a change is heard as soon as a change of volume, after the
    // server's 40 ms. The stretcher, tempo, pitch and loop joins go on as they were, and as
    // recorded (BothChannels) the view costs nothing.
    void setView(SoundView view) { m_view.store(view); }
    // The ring's frame being heard now, in fractions; it moves on between the output's updates
    // while playing, never past what was sent.
    double heardFrame() const;

private:
    void run();
    void playBlock();
    void takeBackUnheard();
    void restartView();
    void keepServerRunning();
    bool writeToSink(const float* frames, std::size_t count);
    void connectSink();
    // Looks for the server on a thread of its own, so that playing goes on meanwhile.
    void lookForServer();
    void takeFoundServer();
    void publishClock(std::uint64_t heard, bool advancing);

    SoundRing& m_ring;
    const int m_rate;
    const Kind m_kind;
    const std::string m_wavePath;
    std::unique_ptr<SoundSink> m_sink;
    bool m_onFallback = false;
    bool m_warned = false;
    std::chrono::steady_clock::time_point m_nextConnectAttempt;
    std::thread m_lookout;
    std::atomic<SoundSink*> m_foundServer = nullptr;
    std::atomic_bool m_looking = false;

    std::atomic_bool m_playing = false;
    std::atomic_bool m_standingBy = false;
    std::atomic_bool m_soundEnded = false;
    std::atomic<std::uint64_t> m_dropBefore = 0;
    std::atomic<std::uint32_t> m_dropRequests = 0;
    std::uint32_t m_dropsDone = 0;
    std::atomic<float> m_gain = 1.0f;
    std::atomic<SoundView> m_view = SoundView::BothChannels;
    std::atomic_bool m_stop = false;

    // The output thread's own state.
    bool m_wasPlaying = false;
    bool m_tailPushed = false;
    float m_appliedGain = 1.0f;
    SoundViewFilter m_viewFilter;
    std::size_t m_silenceAfterSent = 0;
    std::unique_ptr<float[]> m_block;

    // The clock, written by the output thread only; readers retry while m_clockVersion is odd.
    std::atomic<std::uint32_t> m_clockVersion = 0;
    std::atomic<std::uint64_t> m_heard = 0;
    std::atomic<std::int64_t> m_heardAtNs = 0;
    std::atomic_bool m_advancing = false;

    std::thread m_thread;
};
