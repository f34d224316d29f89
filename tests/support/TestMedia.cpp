#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QStringList videoCodec(TestMedia::Container container, QSize size)
{
    using C = TestMedia::Container;
    switch (container) {
    case C::Avi:
        return {"-c:v", "mpeg4", "-q:v", "5"};
    case C::Mpg:
        return {"-c:v", "mpeg1video", "-q:v", "5"};
    case C::Mpeg:
    case C::Vob:
        return {"-c:v", "mpeg2video", "-q:v", "5"};
    case C::Wmv:
        return {"-c:v", "wmv2", "-q:v", "5"};
    case C::Flv:
        return {"-c:v", "flv1", "-q:v", "5"};
    case C::ThreeGp:
        return {"-c:v", "h263", "-q:v", "5"};
    case C::Mp4:
    case C::Mkv:
    case C::Mov:
        break;
    }
    // Odd sizes cannot be stored with halved colour resolution; such files carry full colour.
    const bool odd = size.width() % 2 != 0 || size.height() % 2 != 0;
    return {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", odd ? "yuv444p" : "yuv420p"};
}

QStringList audioCodec(TestMedia::Container container)
{
    using C = TestMedia::Container;
    switch (container) {
    case C::Avi:
        return {"-c:a", "libmp3lame", "-b:a", "192k"};
    case C::Flv:
        // Flash video holds MP3 at 44.1 kHz, not 48.
        return {"-c:a", "libmp3lame", "-b:a", "128k", "-ar", "44100"};
    case C::Mpg:
    case C::Mpeg:
        return {"-c:a", "mp2", "-b:a", "192k"};
    case C::Vob:
        return {"-c:a", "ac3", "-b:a", "192k"};
    case C::Wmv:
        return {"-c:a", "wmav2", "-b:a", "128k"};
    case C::Mp4:
    case C::Mkv:
    case C::Mov:
    case C::ThreeGp:
        break;
    }
    return {"-c:a", "aac", "-b:a", "192k"};
}

QStringList pictureInput(const TestMedia::Movie& movie)
{
    // The test picture is drawn at an even size with some room; other sizes are scaled from it.
    const QSize drawn =
        QSize((movie.size.width() + 1) / 2 * 2, (movie.size.height() + 1) / 2 * 2).expandedTo({32, 32});
    return {"-f", "lavfi", "-i",
            QStringLiteral("testsrc2=size=%1x%2:rate=25:duration=%3")
                .arg(drawn.width())
                .arg(drawn.height())
                .arg(movie.seconds)};
}

QStringList pictureFilters(const TestMedia::Movie& movie)
{
    QStringList filters;
    filters << QStringLiteral("scale=%1:%2").arg(movie.size.width()).arg(movie.size.height());
    if (movie.variableFrameRate)
        filters << "select='lt(mod(n\\,10)\\,3)'";
    QStringList arguments{"-vf", filters.join(',')};
    if (movie.variableFrameRate)
        arguments << "-fps_mode"
                  << "vfr";
    return arguments;
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
    case Container::Mov:
        return "mov";
    case Container::Avi:
        return "avi";
    case Container::Mpg:
        return "mpg";
    case Container::Mpeg:
        return "mpeg";
    case Container::Vob:
        return "vob";
    case Container::Wmv:
        return "wmv";
    case Container::Flv:
        return "flv";
    case Container::ThreeGp:
        return "3gp";
    case Container::Mp4:
        break;
    }
    return "mp4";
}

QString TestMedia::movie(const Movie& movie)
{
    static QHash<QString, QString> made;
    const QString name = QStringLiteral("movie-%1s-%2hz-%3x%4-%5%6%7-gop%8.%9")
                             .arg(movie.seconds)
                             .arg(movie.toneHz)
                             .arg(movie.size.width())
                             .arg(movie.size.height())
                             .arg(QString(movie.withPicture ? "v" : "") + (movie.withSound ? "a" : ""))
                             .arg(movie.variableFrameRate ? "-vfr" : "")
                             .arg(movie.indexFirst ? "-indexfirst" : "")
                             .arg(movie.keyframeSeconds)
                             .arg(extension(movie.container));
    if (made.contains(name))
        return made.value(name);

    QStringList arguments;
    if (movie.withPicture)
        arguments << pictureInput(movie);
    if (movie.withSound)
        arguments << "-f"
                  << "lavfi"
                  << "-i"
                  << QStringLiteral("sine=frequency=%1:sample_rate=48000:duration=%2")
                         .arg(movie.toneHz)
                         .arg(movie.seconds);
    if (movie.withPicture) {
        // Keyframes exactly every keyframeSeconds, and none in between.
        const QString frames = QString::number(25 * movie.keyframeSeconds);
        arguments << pictureFilters(movie) << videoCodec(movie.container, movie.size) << "-g" << frames
                  << "-keyint_min" << frames << "-sc_threshold"
                  << "0";
    }
    if (movie.withSound)
        arguments << audioCodec(movie.container);
    if (movie.indexFirst)
        arguments << "-movflags"
                  << "+faststart";
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

QString TestMedia::cutAt(const QString& moviePath, double fraction)
{
    QFile file(moviePath);
    if (moviePath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const auto kept = static_cast<qint64>(static_cast<double>(file.size()) * fraction);
    return writeOnce(QStringLiteral("cut-%1-%2").arg(fraction).arg(QFileInfo(moviePath).fileName()),
                     file.read(kept));
}

QString TestMedia::noiseBehind(const QString& moviePath, qint64 intactBytes)
{
    QFile file(moviePath);
    if (moviePath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray contents = file.readAll();
    QRandomGenerator generator(20240614);
    for (qint64 i = intactBytes; i < contents.size(); ++i)
        contents[i] = static_cast<char>(generator.bounded(256));
    return writeOnce(
        QStringLiteral("noise-after-%1-%2").arg(intactBytes).arg(QFileInfo(moviePath).fileName()), contents);
}

QString TestMedia::unreadable()
{
    const QString path = copyAt("unreadable.mp4");
    QFile::setPermissions(path, QFileDevice::Permissions());
    return path;
}

QString TestMedia::copyAt(const QString& relativePath, const QString& moviePath)
{
    const QString path = pathInRun(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    if (!QFile::exists(path) && !QFile::copy(moviePath, path))
        return {};
    return path;
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
