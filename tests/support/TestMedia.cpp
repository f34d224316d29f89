#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtGlobal>

namespace {

QTemporaryDir& folderOfRun()
{
    static QTemporaryDir folder;
    return folder;
}

QString pathInRun(const QString& name)
{
    return folderOfRun().filePath(name);
}

QStringList codecArguments(TestMedia::Container container)
{
    // AVI gets the codecs of its own era; the others the H.264 and AAC of today's movies.
    if (container == TestMedia::Container::Avi)
        return {"-c:v", "mpeg4", "-q:v", "5", "-c:a", "libmp3lame", "-b:a", "192k"};
    return {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-b:a", "192k"};
}

bool runFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y"} + arguments);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitStatus() != QProcess::NormalExit ||
        ffmpeg.exitCode() != 0) {
        qWarning("ffmpeg failed: %s", qPrintable(arguments.join(' ')));
        return false;
    }
    return true;
}

QString writeOnce(const QString& name, const QByteArray& contents)
{
    const QString path = pathInRun(name);
    if (!QFile::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            return {};
    }
    return path;
}

} // namespace

QString TestMedia::extension(Container container)
{
    switch (container) {
    case Container::Mkv:
        return "mkv";
    case Container::Avi:
        return "avi";
    case Container::Mov:
        return "mov";
    case Container::Mp4:
        break;
    }
    return "mp4";
}

QString TestMedia::movie(const Movie& movie)
{
    static QHash<QString, QString> made;
    const QString name = QStringLiteral("movie-%1s-%2hz-%3x%4-%5-gop%6.%7")
                             .arg(movie.seconds)
                             .arg(movie.toneHz)
                             .arg(movie.size.width())
                             .arg(movie.size.height())
                             .arg(QString(movie.withPicture ? "v" : "") + (movie.withSound ? "a" : ""))
                             .arg(movie.keyframeSeconds)
                             .arg(extension(movie.container));
    if (made.contains(name))
        return made.value(name);

    const QString seconds = QString::number(movie.seconds);
    QStringList arguments;
    if (movie.withPicture) {
        arguments << "-f"
                  << "lavfi"
                  << "-i"
                  << QStringLiteral("testsrc2=size=%1x%2:rate=25:duration=%3")
                         .arg(movie.size.width())
                         .arg(movie.size.height())
                         .arg(seconds);
    }
    arguments
        << "-f"
        << "lavfi"
        << "-i"
        << QStringLiteral("sine=frequency=%1:sample_rate=48000:duration=%2").arg(movie.toneHz).arg(seconds);
    arguments << codecArguments(movie.container);
    if (movie.withPicture) {
        const QString frames = QString::number(25 * movie.keyframeSeconds);
        arguments << "-g" << frames << "-keyint_min" << frames << "-sc_threshold"
                  << "0";
    }
    const QString path = pathInRun(name);
    arguments << "-shortest" << path;
    const QString result = runFfmpeg(arguments) ? path : QString();
    made.insert(name, result);
    return result;
}

QString TestMedia::zeroBytes()
{
    return writeOnce("zero-bytes.mp4", {});
}

QString TestMedia::randomBytes()
{
    QByteArray noise(256 * 1024, '\0');
    QRandomGenerator generator(20240613);
    generator.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    return writeOnce("random-bytes.mp4", noise);
}

QString TestMedia::truncatedMp4()
{
    const QString whole = movie();
    QFile file(whole);
    if (whole.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return writeOnce("truncated.mp4", file.read(file.size() / 2));
}

QString TestMedia::textFile()
{
    return writeOnce("notes.txt", "These are a musician's notes, not a movie.\nBar 12: slow down.\n");
}

QString TestMedia::folder()
{
    // A folder with a good movie inside, so that playing its contents would be noticed.
    const QString path = pathInRun("folder.mp4");
    QDir().mkpath(path);
    const QString inside = QDir(path).filePath("inside.mp4");
    if (!QFile::exists(inside))
        QFile::copy(movie(), inside);
    return path;
}

QString TestMedia::missingFile()
{
    return pathInRun("no-such-movie.mp4");
}

QString TestMedia::outputPath(const QString& name)
{
    static int serial = 0;
    return pathInRun(QStringLiteral("out-%1-%2").arg(++serial).arg(name));
}
