#include "Sound.h"

#include <QProcess>

#include <algorithm>
#include <cstring>

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

double Sound::seconds() const
{
    return channels > 0 && sampleRate > 0 ? double(samples.size() / size_t(channels)) / sampleRate : 0;
}

std::vector<float> Sound::channel(int index, double from, double to) const
{
    if (index < 0 || index >= channels)
        return {};
    const size_t frames = samples.size() / size_t(channels);
    const auto frameAt = [&](double time) {
        return size_t(std::clamp(time * sampleRate, 0.0, double(frames)));
    };
    std::vector<float> out;
    for (size_t frame = frameAt(from); frame < frameAt(to); ++frame)
        out.push_back(samples[frame * size_t(channels) + size_t(index)]);
    return out;
}

std::optional<Sound> Sound::read(const QString& path)
{
    const QStringList format =
        QString::fromLatin1(run("ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries",
                                            "stream=sample_rate,channels", "-of", "csv=p=0", path}))
            .trimmed()
            .split(',');
    Sound sound;
    if (format.size() != 2 || (sound.sampleRate = format[0].toInt()) <= 0 ||
        (sound.channels = format[1].toInt()) <= 0)
        return std::nullopt;
    QStringList input{"-v", "error"};
    if (path.endsWith(".wav", Qt::CaseInsensitive))
        input << "-ignore_length"
              << "1";
    const QByteArray raw =
        run("ffmpeg", input + QStringList{"-i", path, "-map", "0:a:0", "-f", "f32le", "-"});
    sound.samples.resize(size_t(raw.size()) / sizeof(float));
    std::memcpy(sound.samples.data(), raw.constData(), sound.samples.size() * sizeof(float));
    return sound;
}
