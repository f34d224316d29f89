#include "support/PcmAudio.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr quint16 formatInteger = 1;
constexpr quint16 formatFloat = 3;
constexpr quint16 formatExtensible = 0xFFFE;

quint16 read16(const char* bytes)
{
    return qFromLittleEndian<quint16>(bytes);
}

quint32 read32(const char* bytes)
{
    return qFromLittleEndian<quint32>(bytes);
}

struct WaveFormat
{
    quint16 tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

std::optional<WaveFormat> parseFormat(const QByteArray& chunk)
{
    if (chunk.size() < 16)
        return std::nullopt;
    WaveFormat format;
    format.tag = read16(chunk.constData());
    format.channels = read16(chunk.constData() + 2);
    format.sampleRate = static_cast<int>(read32(chunk.constData() + 4));
    format.bits = read16(chunk.constData() + 14);
    // The extensible header names the real format in the first two bytes of its sub-format.
    if (format.tag == formatExtensible) {
        if (chunk.size() < 26)
            return std::nullopt;
        format.tag = read16(chunk.constData() + 24);
    }
    if (format.channels <= 0 || format.sampleRate <= 0)
        return std::nullopt;
    return format;
}

std::optional<std::vector<float>> decode(const WaveFormat& format, const char* bytes, qsizetype size)
{
    std::vector<float> samples;
    if (format.tag == formatFloat && format.bits == 32) {
        samples.resize(static_cast<size_t>(size / 4));
        for (size_t i = 0; i < samples.size(); ++i) {
            const quint32 word = read32(bytes + 4 * i);
            std::memcpy(&samples[i], &word, sizeof(float));
        }
    } else if (format.tag == formatInteger && format.bits == 16) {
        samples.resize(static_cast<size_t>(size / 2));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<float>(static_cast<qint16>(read16(bytes + 2 * i)) / 32768.0);
    } else if (format.tag == formatInteger && format.bits == 32) {
        samples.resize(static_cast<size_t>(size / 4));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<float>(static_cast<qint32>(read32(bytes + 4 * i)) / 2147483648.0);
    } else {
        return std::nullopt;
    }
    return samples;
}

} // namespace

double PcmAudio::seconds() const
{
    if (sampleRate <= 0 || channels <= 0)
        return 0;
    return static_cast<double>(samples.size() / static_cast<size_t>(channels)) / sampleRate;
}

std::vector<float> PcmAudio::channel(int index, double from, double to) const
{
    std::vector<float> out;
    if (index < 0 || index >= channels)
        return out;
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    const auto frameAt = [&](double time) {
        return static_cast<size_t>(std::clamp(time * sampleRate, 0.0, static_cast<double>(frames)));
    };
    const size_t first = frameAt(from);
    const size_t last = frameAt(to);
    for (size_t frame = first; frame < last; ++frame)
        out.push_back(samples[frame * static_cast<size_t>(channels) + static_cast<size_t>(index)]);
    return out;
}

std::optional<PcmAudio> PcmAudio::readWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;

    std::optional<WaveFormat> format;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype declared = read32(bytes.constData() + at + 4);
        const qsizetype start = at + 8;
        // A writer that was not closed leaves a placeholder length: the data runs to the end.
        const qsizetype size = std::min(declared, bytes.size() - start);
        if (id == "fmt ") {
            format = parseFormat(bytes.mid(start, size));
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            auto samples = decode(*format, bytes.constData() + start, size);
            if (!samples)
                return std::nullopt;
            PcmAudio audio;
            audio.sampleRate = format->sampleRate;
            audio.channels = format->channels;
            audio.samples = std::move(*samples);
            return audio;
        }
        at = start + size + (size % 2);
    }
    return std::nullopt;
}
