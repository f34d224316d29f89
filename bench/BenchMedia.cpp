#include "BenchMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int pieceSeconds = 10;

QString sineSource(int seconds)
{
    return QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds);
}

// Runs ffmpeg into a partial file that is renamed to `path` once whole, unless `path` is there.
QString makeOnce(const QString& path, const QStringList& inputAndCodecs)
{
    if (QFileInfo(path).size() > 0)
        return path;
    QDir().mkpath(QFileInfo(path).path());
    std::fprintf(stderr, "making %s...\n", qPrintable(path));
    const QString partial = path + ".part." + QFileInfo(path).suffix();
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedChannels);
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + inputAndCodecs + QStringList{partial});
    if (!ffmpeg.waitForFinished(600000) || ffmpeg.exitCode() != 0 || !QFile::rename(partial, path))
        return {};
    return path;
}

} // namespace

QString benchClip(const QString& cacheFolder, QSize size, int seconds)
{
    const auto name = [&](int length) {
        return QDir(cacheFolder).filePath(QStringLiteral("clip-%1p-%2s.mp4").arg(size.height()).arg(length));
    };
    const int pieceLength = std::min(seconds, pieceSeconds);
    const QString piece = makeOnce(
        name(pieceLength),
        {"-f", "lavfi", "-i",
         QStringLiteral("testsrc2=size=%1x%2:rate=30:duration=%3").arg(size.width()).arg(size.height()).arg(pieceLength),
         "-f", "lavfi", "-i", sineSource(pieceLength), "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt",
         "yuv420p", "-c:a", "aac", "-b:a", "160k", "-shortest"});
    if (piece.isEmpty() || seconds == pieceLength)
        return piece;
    const int repeats = (seconds + pieceLength - 1) / pieceLength - 1;
    return makeOnce(name(seconds), {"-stream_loop", QString::number(repeats), "-i", piece, "-t",
                                    QString::number(seconds), "-c", "copy"});
}

QString benchTone(const QString& cacheFolder, int seconds)
{
    return makeOnce(QDir(cacheFolder).filePath(QStringLiteral("tone-%1s.m4a").arg(seconds)),
                    {"-f", "lavfi", "-i", sineSource(seconds), "-c:a", "aac", "-b:a", "160k"});
}

QString benchClipWithKeyframes(const QString& cacheFolder, QSize size, int seconds, int keyframeSeconds)
{
    const auto name = [&](int length) {
        return QDir(cacheFolder)
            .filePath(
                QStringLiteral("clip-%1p-%2s-gop%3.mp4").arg(size.height()).arg(length).arg(keyframeSeconds));
    };
    const QString frames = QString::number(keyframeSeconds * 30);
    const QString piece =
        makeOnce(name(pieceSeconds), {"-f",
                                      "lavfi",
                                      "-i",
                                      QStringLiteral("testsrc2=size=%1x%2:rate=30:duration=%3")
                                          .arg(size.width())
                                          .arg(size.height())
                                          .arg(pieceSeconds),
                                      "-f",
                                      "lavfi",
                                      "-i",
                                      sineSource(pieceSeconds),
                                      "-c:v",
                                      "libx264",
                                      "-preset",
                                      "veryfast",
                                      "-g",
                                      frames,
                                      "-keyint_min",
                                      frames,
                                      "-sc_threshold",
                                      "0",
                                      "-pix_fmt",
                                      "yuv420p",
                                      "-c:a",
                                      "aac",
                                      "-b:a",
                                      "160k",
                                      "-shortest"});
    if (piece.isEmpty())
        return piece;
    const int repeats = (seconds + pieceSeconds - 1) / pieceSeconds - 1;
    return makeOnce(name(seconds), {"-stream_loop", QString::number(repeats), "-i", piece, "-t",
                                    QString::number(seconds), "-c", "copy"});
}

QString benchMarkedClip(const QString& cacheFolder, QSize size, int seconds)
{
    const QString picture = QStringLiteral("testsrc2=size=%1x%2:rate=30:duration=%3,"
                                           "drawbox=x=0:y=0:w=iw/2:h=ih/2:color=magenta:t=fill")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(seconds);
    return makeOnce(QDir(cacheFolder).filePath(QStringLiteral("marked-%1p-%2s.mp4").arg(size.height()).arg(seconds)),
                    {"-f", "lavfi", "-i", picture, "-f", "lavfi", "-i", sineSource(seconds), "-c:v", "libx264",
                     "-preset", "veryfast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-b:a", "160k", "-shortest"});
}
