#pragma once

#include <cstddef>
#include <cstdint>

// A movie's sound as one run of stereo float frames at the path's rate, numbered from the
// movie's time 0: frame n is heard at n / rate seconds of movie time.
class SoundSource
{
public:
    virtual ~SoundSource() = default;
    // The next read starts at `frame` exactly.
    virtual void seekToFrame(std::int64_t frame) = 0;
    // Reads up to `count` frames, fewer only at the end of the sound.
    virtual std::size_t read(float* to, std::size_t count) = 0;
};
