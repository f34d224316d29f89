#include "player/SoundDecoder.h"

#include "player/SoundRing.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cstring>

namespace {

constexpr int channels = SoundRing::channels;
// Readers that open other inputs named inside a file (lists of files, stream descriptions,
// picture sequences) or go to the network: a movie is one file.
constexpr const char* refusedReaders[] = {"concat", "dash", "hls", "image2", "imf",  "rtp",
                                          "rtsp",   "sdp",  "sap", "vobsub", "lavfi"};
// Time stamps this far apart count as the same place: containers round them.
constexpr double holeSeconds = 0.020;
// Holes longer than this are damaged time stamps, not silence.
constexpr double longestHoleSeconds = 30.0;
// A seek decodes from a little before its target: the first frame after a jump is not clean.
constexpr double prerollSeconds = 0.1;
constexpr std::int64_t unknownFrame = INT64_MIN;

int refuseEveryOtherFile(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

bool isRefused(const AVInputFormat* reader)
{
    for (const char* name : refusedReaders)
        if (std::strcmp(reader->name, name) == 0)
            return true;
    return false;
}

} // namespace

SoundDecoder::SoundDecoder(int rate) : m_rate(rate), m_packet(av_packet_alloc()), m_frame(av_frame_alloc()) {}

SoundDecoder::~SoundDecoder()
{
    close();
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
}

void SoundDecoder::close()
{
    swr_free(&m_resampler);
    avcodec_free_context(&m_codec);
    avformat_close_input(&m_format);
    avio_closep(&m_io);
    m_stream = -1;
    m_inputRate = 0;
}

bool SoundDecoder::open(const QString& path)
{
    close();
    m_hasPicture = false;
    AVDictionary* fileOptions = nullptr;
    av_dict_set(&fileOptions, "protocol_whitelist", "file", 0);
    const QByteArray url = "file:" + path.toUtf8();
    const int opened = avio_open2(&m_io, url.constData(), AVIO_FLAG_READ, nullptr, &fileOptions);
    av_dict_free(&fileOptions);
    const AVInputFormat* reader = nullptr;
    if (opened < 0 || av_probe_input_buffer2(m_io, &reader, url.constData(), nullptr, 0, 0) < 0 ||
        reader == nullptr || isRefused(reader))
        return close(), false;

    m_format = avformat_alloc_context();
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->io_open = refuseEveryOtherFile;
    m_format->protocol_whitelist = av_strdup("file");
    if (avformat_open_input(&m_format, url.constData(), reader, nullptr) < 0 ||
        avformat_find_stream_info(m_format, nullptr) < 0)
        return close(), false;

    for (unsigned i = 0; i < m_format->nb_streams; ++i) {
        AVStream* stream = m_format->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_VIDEO && (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0)
            m_hasPicture = true;
        if (type == AVMEDIA_TYPE_AUDIO && m_stream < 0)
            m_stream = static_cast<int>(i);
        else
            stream->discard = AVDISCARD_ALL;
    }
    if (m_stream < 0)
        return close(), false;
    const AVCodecParameters* parameters = m_format->streams[m_stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    m_codec = avcodec_alloc_context3(codec);
    if (codec == nullptr || avcodec_parameters_to_context(m_codec, parameters) < 0 ||
        avcodec_open2(m_codec, codec, nullptr) < 0)
        return close(), false;
    m_mono = m_codec->ch_layout.nb_channels == 1;
    m_ended = false;
    m_pending.clear();
    m_pendingRead = 0;
    m_pendingStart = unknownFrame;
    m_readFrom = 0;
    return true;
}

void SoundDecoder::seekToFrame(std::int64_t frame)
{
    m_readFrom = std::max<std::int64_t>(0, frame);
    m_pending.clear();
    m_pendingRead = 0;
    m_pendingStart = unknownFrame;
    m_ended = false;
    if (m_format == nullptr)
        return;
    const AVStream* stream = m_format->streams[m_stream];
    const double seconds = std::max(0.0, static_cast<double>(m_readFrom) / m_rate - prerollSeconds);
    const std::int64_t start = m_format->start_time == AV_NOPTS_VALUE ? 0 : m_format->start_time;
    const std::int64_t target = av_rescale_q(static_cast<std::int64_t>(seconds * AV_TIME_BASE) + start,
                                             AV_TIME_BASE_Q, stream->time_base);
    av_seek_frame(m_format, m_stream, target, AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(m_codec);
    swr_free(&m_resampler);
    m_inputRate = 0;
}

std::size_t SoundDecoder::read(float* to, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const std::size_t pendingFrames = m_pending.size() / channels - m_pendingRead;
        if (pendingFrames == 0) {
            // All read: the next decoded sound starts where this ended.
            if (m_pendingStart != unknownFrame)
                m_pendingStart += static_cast<std::int64_t>(m_pendingRead);
            m_pending.clear();
            m_pendingRead = 0;
            if (!decodeMore())
                break;
            continue;
        }
        const std::size_t take = std::min(pendingFrames, count - done);
        std::copy_n(m_pending.begin() + static_cast<std::ptrdiff_t>(m_pendingRead * channels),
                    take * channels, to + done * channels);
        m_pendingRead += take;
        done += take;
    }
    return done;
}

bool SoundDecoder::decodeMore()
{
    if (m_format == nullptr || m_ended)
        return false;
    if (receiveFrames())
        return true;
    while (true) {
        const int got = av_read_frame(m_format, m_packet);
        if (got < 0) {
            // The end: whatever the decoder and the resampler still hold comes out last.
            avcodec_send_packet(m_codec, nullptr);
            const bool more = receiveFrames();
            if (!more)
                m_ended = true;
            return more;
        }
        const bool ours = m_packet->stream_index == m_stream;
        // A damaged packet is skipped; the hole it leaves is filled with silence.
        const bool sent = ours && avcodec_send_packet(m_codec, m_packet) >= 0;
        av_packet_unref(m_packet);
        if (sent && receiveFrames())
            return true;
    }
}

bool SoundDecoder::receiveFrames()
{
    const std::size_t before = m_pending.size();
    while (avcodec_receive_frame(m_codec, m_frame) >= 0) {
        convert(*m_frame);
        av_frame_unref(m_frame);
    }
    return m_pending.size() > before;
}

std::int64_t SoundDecoder::firstFrameOf(const AVFrame& frame) const
{
    if (frame.best_effort_timestamp == AV_NOPTS_VALUE)
        return unknownFrame;
    const AVStream* stream = m_format->streams[m_stream];
    const std::int64_t start = m_format->start_time == AV_NOPTS_VALUE ? 0 : m_format->start_time;
    const double seconds = static_cast<double>(frame.best_effort_timestamp) * av_q2d(stream->time_base) -
                           static_cast<double>(start) / AV_TIME_BASE;
    // What the resampler still holds from earlier frames comes out before this frame's sound.
    return static_cast<std::int64_t>(std::llround(seconds * m_rate)) - swr_get_delay(m_resampler, m_rate);
}

bool SoundDecoder::convert(const AVFrame& frame)
{
    if (!prepareResampler(frame))
        return false;
    std::int64_t at = firstFrameOf(frame);
    const int room = swr_get_out_samples(m_resampler, frame.nb_samples);
    m_converted.resize(static_cast<std::size_t>(std::max(room, 0)) * channels);
    auto* out = reinterpret_cast<std::uint8_t*>(m_converted.data());
    const int made = swr_convert(m_resampler, &out, room,
                                 const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
    if (made <= 0)
        return false;
    const float* samples = m_converted.data();
    std::size_t count = static_cast<std::size_t>(made);

    if (m_pendingStart == unknownFrame)
        m_pendingStart = (at == unknownFrame || at > m_readFrom) ? m_readFrom : at;
    const std::int64_t end = m_pendingStart + static_cast<std::int64_t>(m_pending.size() / channels);
    const auto hole = static_cast<std::int64_t>(holeSeconds * m_rate);
    if (at == unknownFrame || std::abs(at - end) <= hole ||
        static_cast<double>(at - end) > longestHoleSeconds * m_rate)
        at = end;
    if (at > end)
        m_pending.insert(m_pending.end(), static_cast<std::size_t>(at - end) * channels, 0.0f);
    else if (at < end) {
        // Sound again from a place already decoded: only what is new counts.
        const auto overlap = std::min<std::size_t>(count, static_cast<std::size_t>(end - at));
        samples += overlap * channels;
        count -= overlap;
    }
    m_pending.insert(m_pending.end(), samples, samples + count * channels);
    // Decoded from before a seek's target: only the target on is heard.
    if (m_pendingStart < m_readFrom) {
        const auto early = std::min<std::size_t>(m_pending.size() / channels,
                                                 static_cast<std::size_t>(m_readFrom - m_pendingStart));
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(early * channels));
        m_pendingStart += static_cast<std::int64_t>(early);
    }
    return true;
}

bool SoundDecoder::prepareResampler(const AVFrame& frame)
{
    const std::uint64_t layoutKey = frame.ch_layout.order == AV_CHANNEL_ORDER_NATIVE
                                        ? frame.ch_layout.u.mask
                                        : static_cast<std::uint64_t>(frame.ch_layout.nb_channels);
    if (m_resampler != nullptr && frame.sample_rate == m_inputRate && frame.format == m_inputFormat &&
        layoutKey == m_inputLayoutKey)
        return true;
    swr_free(&m_resampler);
    AVChannelLayout input{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&input, frame.ch_layout.nb_channels);
    else
        av_channel_layout_copy(&input, &frame.ch_layout);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    const int made =
        swr_alloc_set_opts2(&m_resampler, &stereo, AV_SAMPLE_FMT_FLT, m_rate, &input,
                            static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&input);
    if (made < 0 || swr_init(m_resampler) < 0) {
        swr_free(&m_resampler);
        return false;
    }
    m_inputRate = frame.sample_rate;
    m_inputFormat = frame.format;
    m_inputLayoutKey = layoutKey;
    return true;
}
