#include "export/SoundFileWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int channels = 2;
// An encoder that takes any number of frames at a time (PCM) gets them this many at a time.
constexpr int anyFrameSize = 4096;

struct Encoding
{
    const char* encoder;
    const char* container;
    AVSampleFormat sampleFormat;
    std::int64_t bitRate; // 0: the encoder's own (lossless)
};

Encoding encodingOf(SoundFileFormat format)
{
    switch (format) {
    case SoundFileFormat::Wav:
        return {"pcm_s16le", "wav", AV_SAMPLE_FMT_S16, 0};
    case SoundFileFormat::Flac:
        return {"flac", "flac", AV_SAMPLE_FMT_S16, 0};
    case SoundFileFormat::Mp3:
        return {"libmp3lame", "mp3", AV_SAMPLE_FMT_FLTP, 192000};
    }
    return {"flac", "flac", AV_SAMPLE_FMT_S16, 0};
}

QString reason(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

float clipped(float sample)
{
    return std::clamp(sample, -1.0f, 1.0f);
}

} // namespace

SoundFileWriter::SoundFileWriter(int rate) : m_rate(rate) {}

SoundFileWriter::~SoundFileWriter()
{
    close();
}

std::optional<SoundFileFormat> SoundFileWriter::formatOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("wav"))
        return SoundFileFormat::Wav;
    if (extension == QLatin1String("flac"))
        return SoundFileFormat::Flac;
    if (extension == QLatin1String("mp3"))
        return SoundFileFormat::Mp3;
    return std::nullopt;
}

QString SoundFileWriter::missingEncoder(SoundFileFormat format)
{
    const char* name = encodingOf(format).encoder;
    return avcodec_find_encoder_by_name(name) == nullptr ? QString::fromLatin1(name) : QString();
}

bool SoundFileWriter::fail(const QString& step, int code)
{
    m_error = code == 0 ? step : QStringLiteral("%1 (%2)").arg(step, reason(code));
    close();
    return false;
}

bool SoundFileWriter::open(const QString& target, SoundFileFormat format, const Tags& tags)
{
    close();
    m_target = target;
    m_error.clear();
    // Hidden beside the target, under a name no other file has, readable as any new file is.
    const QFileInfo info(target);
    for (int attempt = 0; m_partPath.isEmpty(); ++attempt) {
        const QString candidate = QStringLiteral("%1/.%2.%3.part")
                                      .arg(info.absolutePath(), info.fileName(),
                                           QString::number(QRandomGenerator::global()->generate(), 36));
        const int file =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0) {
            ::close(file);
            m_partPath = candidate;
        } else if (errno != EEXIST || attempt == 20) {
            return fail(QStringLiteral("No file can be written in %1").arg(info.absolutePath()),
                        AVERROR(errno));
        }
    }
    return startFile(target, format, tags);
}

bool SoundFileWriter::startFile(const QString& target, SoundFileFormat format, const Tags& tags)
{
    const Encoding encoding = encodingOf(format);
    const AVCodec* encoder = avcodec_find_encoder_by_name(encoding.encoder);
    if (encoder == nullptr)
        return fail(QStringLiteral("FFmpeg here has no %1 encoder").arg(encoding.encoder), 0);
    int result = avformat_alloc_output_context2(&m_format, nullptr, encoding.container, nullptr);
    if (result < 0)
        return fail(QStringLiteral("FFmpeg here cannot write %1 files").arg(encoding.container), result);

    m_codec = avcodec_alloc_context3(encoder);
    m_codec->sample_rate = m_rate;
    m_codec->sample_fmt = encoding.sampleFormat;
    m_codec->bit_rate = encoding.bitRate;
    m_codec->time_base = {1, m_rate};
    av_channel_layout_default(&m_codec->ch_layout, channels);
    if ((m_format->oformat->flags & AVFMT_GLOBALHEADER) != 0)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((result = avcodec_open2(m_codec, encoder, nullptr)) < 0)
        return fail(QStringLiteral("The %1 encoder did not start").arg(encoding.encoder), result);

    AVStream* stream = avformat_new_stream(m_format, nullptr);
    stream->time_base = m_codec->time_base;
    avcodec_parameters_from_context(stream->codecpar, m_codec);
    av_dict_set(&m_format->metadata, "title", tags.title.toUtf8().constData(), 0);
    av_dict_set(&m_format->metadata, "comment", tags.comment.toUtf8().constData(), 0);

    AVDictionary* fileOptions = nullptr;
    av_dict_set(&fileOptions, "protocol_whitelist", "file", 0);
    const QByteArray url = "file:" + QFile::encodeName(m_partPath);
    result = avio_open2(&m_format->pb, url.constData(), AVIO_FLAG_WRITE, nullptr, &fileOptions);
    av_dict_free(&fileOptions);
    if (result < 0 || (result = avformat_write_header(m_format, nullptr)) < 0)
        return fail(QStringLiteral("\u201c%1\u201d could not be written").arg(QFileInfo(target).fileName()),
                    result);

    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    m_frame->format = m_codec->sample_fmt;
    m_frame->sample_rate = m_rate;
    m_frame->nb_samples = m_codec->frame_size > 0 ? m_codec->frame_size : anyFrameSize;
    av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout);
    if ((result = av_frame_get_buffer(m_frame, 0)) < 0)
        return fail(QStringLiteral("No memory for the encoder"), result);
    m_framesEncoded = 0;
    return true;
}

bool SoundFileWriter::write(const float* frames, std::size_t count)
{
    if (m_format == nullptr)
        return false;
    m_pending.insert(m_pending.end(), frames, frames + count * channels);
    return encodePending(false);
}

bool SoundFileWriter::encodePending(bool all)
{
    const auto frameSize =
        static_cast<std::size_t>(m_codec->frame_size > 0 ? m_codec->frame_size : anyFrameSize);
    const std::size_t pending = m_pending.size() / channels;
    std::size_t done = 0;
    while (pending - done >= frameSize || (all && pending > done)) {
        const std::size_t count = std::min(frameSize, pending - done);
        const int result = av_frame_make_writable(m_frame);
        if (result < 0)
            return fail(QStringLiteral("No memory for the encoder"), result);
        const float* from = m_pending.data() + done * channels;
        if (m_codec->sample_fmt == AV_SAMPLE_FMT_S16) {
            auto* to = reinterpret_cast<std::int16_t*>(m_frame->data[0]);
            for (std::size_t i = 0; i < count * channels; ++i)
                to[i] = static_cast<std::int16_t>(std::lrint(clipped(from[i]) * 32767.0f));
        } else {
            for (int channel = 0; channel < channels; ++channel) {
                auto* to = reinterpret_cast<float*>(m_frame->extended_data[channel]);
                for (std::size_t i = 0; i < count; ++i)
                    to[i] = clipped(from[i * channels + channel]);
            }
        }
        m_frame->nb_samples = static_cast<int>(count);
        m_frame->pts = m_framesEncoded;
        m_framesEncoded += static_cast<std::int64_t>(count);
        done += count;
        if (!encode(m_frame))
            return false;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(done * channels));
    return true;
}

bool SoundFileWriter::encode(const AVFrame* frame)
{
    int result = avcodec_send_frame(m_codec, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(m_codec, m_packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            break;
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_format->streams[0]->time_base);
        m_packet->stream_index = 0;
        result = av_interleaved_write_frame(m_format, m_packet);
    }
    return fail(QStringLiteral("Writing \u201c%1\u201d failed").arg(QFileInfo(m_target).fileName()), result);
}

bool SoundFileWriter::finish()
{
    if (m_format == nullptr || !encodePending(true) || !encode(nullptr))
        return false;
    const QString writing =
        QStringLiteral("Writing \u201c%1\u201d failed").arg(QFileInfo(m_target).fileName());
    int result = av_write_trailer(m_format);
    if (result < 0 || (result = m_format->pb->error) < 0 || (result = avio_closep(&m_format->pb)) < 0)
        return fail(writing, result);
    // On the disk before it takes the old file's place, so that a crash cannot leave a short file.
    const QByteArray part = QFile::encodeName(m_partPath);
    const int file = ::open(part.constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0 || ::fsync(file) != 0) {
        const int code = AVERROR(errno);
        if (file >= 0)
            ::close(file);
        return fail(writing, code);
    }
    ::close(file);
    if (std::rename(part.constData(), QFile::encodeName(m_target).constData()) != 0)
        return fail(QStringLiteral("The new file could not take the place of \u201c%1\u201d")
                        .arg(QFileInfo(m_target).fileName()),
                    AVERROR(errno));
    m_partPath.clear();
    close();
    return true;
}

void SoundFileWriter::close()
{
    if (m_format != nullptr) {
        avio_closep(&m_format->pb);
        avformat_free_context(m_format);
        m_format = nullptr;
    }
    avcodec_free_context(&m_codec);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    m_pending.clear();
    if (!m_partPath.isEmpty()) {
        ::unlink(QFile::encodeName(m_partPath).constData());
        m_partPath.clear();
    }
}
