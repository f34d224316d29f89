#pragma once

#include <QString>

#include <optional>
#include <vector>

// Sound as float samples in -1..1, channels interleaved.
struct PcmAudio
{
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples;

    double seconds() const;
    // One channel's samples from `from` to `to` seconds (clipped to what there is).
    std::vector<float> channel(int index, double from = 0, double to = 1e30) const;

    // Reads a WAV file of 16- or 32-bit integer or 32-bit float samples, also one whose
    // header still has placeholder lengths because its writer was not closed.
    static std::optional<PcmAudio> readWav(const QString& path);
};
