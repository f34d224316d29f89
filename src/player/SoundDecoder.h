#pragma once

#include "player/SoundSource.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;

// A movie's first sound track, decoded with FFmpeg and resampled once to the path's rate, in
// stereo (more channels are mixed down, one is played on both sides). It opens the one local file
// it is given and nothing else: no protocol but the file, and no other file that a playlist or
// stream description inside it names. Time runs from the movie's start; where the track has a
// hole (damage, a late start), silence fills it, so that frame numbers stay movie time.
class SoundDecoder : public SoundSource
{
public:
    explicit SoundDecoder(int rate);
    ~SoundDecoder() override;
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    // False when the file cannot be opened or has no sound track.
    bool open(const QString& path);
    // True when the movie also has a picture (a cover picture does not count).
    bool hasPicture() const { return m_hasPicture; }
    // True when the track has one channel (played on both sides).
    bool isMono() const { return m_mono; }

    void seekToFrame(std::int64_t frame) override;
    std::size_t read(float* to, std::size_t count) override;

private:
    void close();
    bool decodeMore();
    bool receiveFrames();
    bool convert(const AVFrame& frame);
    bool prepareResampler(const AVFrame& frame);
    std::int64_t firstFrameOf(const AVFrame& frame) const;

    const int m_rate;
    AVIOContext* m_io = nullptr;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    SwrContext* m_resampler = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    int m_stream = -1;
    bool m_hasPicture = false;
    bool m_mono = false;
    bool m_ended = false;
    // What the resampler was set up for.
    int m_inputRate = 0;
    int m_inputFormat = -1;
    std::uint64_t m_inputLayoutKey = 0;

    // Decoded frames, the first at movie frame m_pendingStart, read up to m_pendingRead; frames before
    // m_readFrom are dropped as they come (the part of a seek before its target).
    std::vector<float> m_pending;
    std::size_t m_pendingRead = 0;
    std::int64_t m_pendingStart = 0;
    std::int64_t m_readFrom = 0;
    std::vector<float> m_converted;
};
