#pragma once

#include <QString>

#include <optional>
#include <vector>

// Sound as float samples in -1..1, channels interleaved, read from any file ffmpeg can decode.
struct Sound
{
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples;

    double seconds() const;
    // One channel's samples from `from` to `to` seconds (clipped to what there is).
    std::vector<float> channel(int index, double from = 0, double to = 1e30) const;

    // The file's first sound track, decoded by ffmpeg. A WAV file whose writer was not closed
    // (its lengths still placeholders) is read to its end.
    static std::optional<Sound> read(const QString& path);
};
