#pragma once

#include "player/SoundSink.h"

#include <memory>
#include <string>

struct pa_simple;

// The desktop's sound server, through the PulseAudio protocol (PulseAudio itself, or PipeWire's
// pulse server). A short buffer, so that a pause or a seek is heard at once and the latency the
// server reports stays small and exact.
class PulseSoundSink : public SoundSink
{
public:
    // Null when the server cannot be reached; `why` then says what the library said.
    static std::unique_ptr<PulseSoundSink> connect(int rate, std::string& why);
    ~PulseSoundSink() override;

    bool write(const float* frames, std::size_t count) override;
    std::size_t pendingFrames() override;
    void drop() override;

private:
    PulseSoundSink(pa_simple* stream, int rate) : m_stream(stream), m_rate(rate) {}

    pa_simple* m_stream;
    int m_rate;
};
