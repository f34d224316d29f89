#pragma once

#include "player/LoopingReader.h"
#include "player/SoundDecoder.h"
#include "player/SoundOutput.h"
#include "player/SoundRing.h"
#include "player/SoundStretcher.h"
#include "player/SoundTimeline.h"

#include <QString>

#include <atomic>
#include <optional>
#include <thread>

// The movie's sound as the program plays it: decoded, read across loop joins, stretched, and
// played on a thread of its own, with a clock of what is heard now. The user interface calls
// every method; the sound is made on a second thread, which stops while the interface moves
// playback (an open, a seek) and goes on from the new place. Times are movie seconds.
class SoundPath
{
public:
    static constexpr int rate = 48000;

    explicit SoundPath(SoundOutput::Kind output, const QString& wavePath = {});
    ~SoundPath();

    // Opens the movie's sound, halted at its start; false when it has none (nothing plays then).
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_open; }
    bool moviesHavePicture() const { return m_decoder.hasPicture(); }

    void play();
    void pause();
    void seek(double seconds);
    void setLoop(double from, double to);
    // The speed now and the one the loop's next join changes to (0: none), set together. A join
    // takes the waiting speed when the maker reads across it: the pass it begins plays wholly at
    // that speed (the stretcher's ratio changes with the block that holds the join).
    struct Speeds
    {
        float now = 1.0f;
        float atNextWrap = 0.0f;
    };
    Speeds speeds() const { return m_speeds.load(); }
    // False, and nothing set, when the speeds are no longer `found` (a join took the waiting one).
    bool replaceSpeeds(Speeds found, Speeds speeds)
    {
        return m_speeds.compare_exchange_strong(found, speeds);
    }
    void setPitchScale(double pitchScale) { m_pitchScale.store(pitchScale); }
    // Silence at each join from the next on: the end fades out, the beginning fades in, and the
    // position stands at the loop's beginning meanwhile.
    void setPauseAtWraps(double seconds) { m_pauseSeconds.store(seconds); }
    void setGain(double linear) { m_output.setGain(static_cast<float>(linear)); }
    // Holds for every movie until changed; a movie of one channel plays as it is.
    void setView(SoundView view);
    bool hasTwoChannels() const { return m_open && !m_decoder.isMono(); }

    // The movie time heard now; empty with no sound open.
    std::optional<double> position() const;
    // True once the last of the sound has been heard.
    bool hasEnded() const;
    // The next loop join to be heard: how many seconds from now, where it goes on, how long it
    // pauses there, and the speed of the pass it begins.
    struct Join
    {
        double secondsAway;
        double goesTo;
        double pause;
        double speedAfter;
    };
    std::optional<Join> nextJoin() const;
    // How many joins have been heard since the last call.
    int takeWrapsHeard();

private:
    void startMaking(double seconds);
    void stopMaking();
    void make();
    void makeBlock();
    void finish();
    void takeFromStretcher();
    double takeSpeedForPass();

    SoundRing m_ring;
    SoundOutput m_output;
    SoundTimeline m_timeline;
    SoundDecoder m_decoder;
    SoundStretcher m_stretcher;
    LoopingReader m_reader;
    bool m_open = false;
    SoundView m_view = SoundView::BothChannels;

    // Handed from the user interface to the maker.
    std::atomic<Speeds> m_speeds;
    std::atomic<double> m_pitchScale = 1.0;
    std::atomic<double> m_pauseSeconds = 0.0;
    std::atomic<std::int64_t> m_loopFrom = 0;
    std::atomic<std::int64_t> m_loopTo = 0;

    std::atomic_bool m_stopMaking = false;
    bool m_readAll = false;          // the maker has read the last of the sound
    std::atomic_bool m_made = false; // all the sound has gone into the ring
    std::thread m_maker;
};
