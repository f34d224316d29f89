#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

enum class SoundFileFormat
{
    Wav,  // 16-bit
    Flac, // 16-bit, lossless
    Mp3   // 192 kb/s
};

// Writes stereo sound to a WAV, FLAC or MP3 file with FFmpeg, with a title and a comment in the
// file's tags. Nothing is lost: the sound goes to a new hidden file in the target's folder, which
// takes the target's place only once all of it is written and on the disk. Until then an older
// file of that name stays as it was, and a write that fails, or a file never finished, leaves
// nothing behind.
class SoundFileWriter
{
public:
    struct Tags
    {
        QString title;
        QString comment;
    };

    explicit SoundFileWriter(int rate);
    // An unfinished file is removed.
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    // The format a file name's extension names (in any letter case).
    static std::optional<SoundFileFormat> formatOf(const QString& path);
    // Empty when FFmpeg here has the format's encoder; otherwise the encoder's name.
    static QString missingEncoder(SoundFileFormat format);

    bool open(const QString& target, SoundFileFormat format, const Tags& tags);
    // Interleaved stereo frames in -1..1; louder ones are clipped.
    bool write(const float* frames, std::size_t count);
    // Writes what the encoder still holds and puts the file in the target's place.
    bool finish();
    // What went wrong, for the user: the failed step and the system's reason.
    QString error() const { return m_error; }

private:
    bool fail(const QString& step, int code);
    bool startFile(const QString& target, SoundFileFormat format, const Tags& tags);
    bool encodePending(bool all);
    bool encode(const AVFrame* frame);
    void close();

    const int m_rate;
    QString m_target;
    QString m_partPath;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    std::int64_t m_framesEncoded = 0;
    std::vector<float> m_pending; // interleaved, waiting for a whole encoder frame
    QString m_error;
};
