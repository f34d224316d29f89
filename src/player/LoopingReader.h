#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class SoundSource;

// Reads a movie's sound in the order it is to be heard: straight on, and at a loop's end on from
// its beginning, the end faded out into the beginning over a few milliseconds (equal power) so
// that the join neither breaks nor clicks. Each pass of the loop lasts exactly as long as the loop:
// the fade is centred on both ends. With a pause at the joins the end fades out and the beginning
// fades in instead, each within the loop, and silence lies between. Positions are frames of movie
// time at the source's rate.
class LoopingReader
{
public:
    // A stretch of sound that follows on in movie time.
    struct Run
    {
        std::size_t frames = 0;
        std::int64_t firstFrame = 0;
        // The first frames after the loop's end: time goes back to its beginning here.
        bool wraps = false;
        // Silence of a pause, standing at firstFrame.
        bool holds = false;
    };

    LoopingReader(SoundSource& source, std::size_t fadeFrames);

    // Reading that reaches `to` from before it goes on at `from`; `from` >= `to` loops nowhere.
    void setLoop(std::int64_t from, std::int64_t to);
    // Silence between the loop's end and its beginning at each join from the next on; 0 none.
    void setPause(std::int64_t frames) { m_pauseFrames = std::max<std::int64_t>(0, frames); }
    void seek(std::int64_t frame);
    // Up to `count` frames, stopping at a join so that a run never spans one. Empty at the end.
    Run read(float* to, std::size_t count);

private:
    // The fade starts this far before each end: half the fade, less where the loop starts at the
    // movie's very beginning (a pause's fades lie within the loop).
    std::int64_t leadIn() const;
    std::int64_t joinStart() const { return m_to - leadIn(); }
    bool loopsAhead() const;
    void makeJoin();
    Run readJoin(float* to, std::size_t count);

    SoundSource& m_source;
    const std::size_t m_fadeFrames;
    std::int64_t m_from = 0;
    std::int64_t m_to = 0;
    std::int64_t m_next = 0;
    std::int64_t m_pauseFrames = 0;

    // The faded join, handed out before reading on; its first leadIn() frames are the loop's
    // end in movie time, the rest its beginning, and the pause's silence comes between them.
    std::vector<float> m_join;
    std::size_t m_joinRead = 0;
    std::int64_t m_joinLeadIn = 0;
    std::int64_t m_joinFrom = 0;
    std::int64_t m_joinTo = 0;
    std::int64_t m_joinPause = 0;
    std::int64_t m_pauseRead = 0;
    std::vector<float> m_beginning;
};
