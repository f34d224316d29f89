#pragma once

#include <cstddef>

// Where played sound goes: the desktop's sound server, or nowhere at the pace it would be heard,
// or a file. Interleaved stereo float frames at the path's rate. Used by the output thread only.
class SoundSink
{
public:
    virtual ~SoundSink() = default;
    // Blocks until the frames are taken (a real-time sink takes them as fast as they are heard).
    // False when the sink has failed: the server went away.
    virtual bool write(const float* frames, std::size_t count) = 0;
    // Frames written but not yet heard.
    virtual std::size_t pendingFrames() = 0;
    // Forgets the frames not yet heard.
    virtual void drop() = 0;
};
