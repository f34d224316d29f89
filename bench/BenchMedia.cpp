#include "BenchMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

QString benchClip(const QString& cacheFolder, QSize size, int seconds)
{
    const QString path =
        QDir(cacheFolder).filePath(QStringLiteral("clip-%1p-%2s.mp4").arg(size.height()).arg(seconds));
    if (QFileInfo(path).size() > 0)
        return path;
    QDir().mkpath(cacheFolder);
    std::fprintf(stderr, "making %s...\n", qPrintable(path));
    const QString partial = path + ".part.mp4";
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedChannels);
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                            QStringLiteral("testsrc2=size=%1x%2:rate=30:duration=%3")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(seconds),
                            "-f", "lavfi", "-i",
                            QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds),
                            "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", "-c:a", "aac",
                            "-b:a", "160k", "-shortest", partial});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0 || !QFile::rename(partial, path))
        return {};
    return path;
}
