#include "MovieMaker.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

namespace {

// The codecs of each kind of file; H.264 where no picture codec is named.
const QHash<QString, std::pair<QStringList, QStringList>> codecs{
    {"mp4", {{}, {"-c:a", "aac"}}},
    {"mkv", {{}, {"-c:a", "aac"}}},
    {"mov", {{}, {"-c:a", "aac"}}},
    {"m4a", {{}, {"-c:a", "aac"}}},
    {"avi", {{"-c:v", "mpeg4"}, {"-c:a", "libmp3lame"}}},
    {"mpg", {{"-c:v", "mpeg1video"}, {"-c:a", "mp2"}}},
    {"mpeg", {{"-c:v", "mpeg2video"}, {"-c:a", "mp2"}}},
    {"vob", {{"-c:v", "mpeg2video"}, {"-c:a", "ac3"}}},
    {"wmv", {{"-c:v", "wmv2"}, {"-c:a", "wmav2"}}},
    // Flash video holds MP3 at 44.1 kHz, not 48.
    {"flv", {{"-c:v", "flv1"}, {"-c:a", "libmp3lame", "-ar", "44100"}}},
    {"3gp", {{"-c:v", "h263"}, {"-c:a", "aac"}}},
};

// An input drawn by one of ffmpeg's own sources.
QStringList lavfi(const QString& source)
{
    return {"-f", "lavfi", "-i", source};
}

// The picture's output options: its filters, codec and keyframes.
QStringList pictureOptions(const MovieMaker::Movie& movie, const QStringList& codec)
{
    QString filters = QStringLiteral("scale=%1:%2").arg(movie.size.width()).arg(movie.size.height());
    if (movie.markedCorner)
        filters += ",drawbox=x=0:y=0:w=iw/2:h=ih/2:color=magenta:t=fill";
    if (movie.variableFrameRate)
        filters += ",select='lt(mod(n\\,10)\\,3)'";
    QStringList options{"-vf", filters};
    if (movie.variableFrameRate)
        options << "-fps_mode"
                << "vfr";
    // Odd sizes cannot be stored with halved colour resolution; such files carry full colour.
    const bool odd = movie.size.width() % 2 != 0 || movie.size.height() % 2 != 0;
    options << (codec.isEmpty() ? QStringList{"-c:v", "libx264", "-preset", "veryfast", "-pix_fmt",
                                              odd ? "yuv444p" : "yuv420p"}
                                : codec + QStringList{"-q:v", "5"});
    if (movie.keyframeSeconds > 0) {
        const QString frames = QString::number(movie.framesPerSecond * movie.keyframeSeconds);
        options << "-g" << frames << "-keyint_min" << frames << "-sc_threshold"
                << "0";
    }
    return options;
}

} // namespace

QString MovieMaker::movie(const Movie& movie) const
{
    const auto& [video, audio] = codecs.value(movie.container);
    // The picture is drawn at an even size with some room; other sizes are scaled from it.
    const QSize drawn =
        QSize((movie.size.width() + 1) / 2 * 2, (movie.size.height() + 1) / 2 * 2).expandedTo({32, 32});
    QStringList inputs, options;
    if (movie.withPicture) {
        const QString source =
            movie.flashEverySecond ? QStringLiteral("color=c=black:") : QStringLiteral("testsrc2=");
        QString picture = source + QStringLiteral("size=%1x%2:rate=%3:duration=%4")
                                       .arg(drawn.width())
                                       .arg(drawn.height())
                                       .arg(movie.framesPerSecond)
                                       .arg(movie.seconds);
        if (movie.flashEverySecond)
            picture += QStringLiteral(",drawbox=w=iw:h=ih:color=white:t=fill:enable='lt(mod(n,%1),3)'")
                           .arg(movie.framesPerSecond);
        inputs << lavfi(picture);
        options << pictureOptions(movie, video);
    }
    if (movie.withSound) {
        inputs << lavfi(movie.flashEverySecond
                            ? QStringLiteral("aevalsrc=exprs='if(lt(mod(t,1),0.04),0.5*sin(2*PI*1000*t),0)':"
                                             "sample_rate=48000:duration=%1")
                                  .arg(movie.seconds)
                            : QStringLiteral("sine=frequency=%1:sample_rate=48000:duration=%2")
                                  .arg(movie.toneHz)
                                  .arg(movie.seconds));
        options << audio << "-b:a"
                << "192k";
    }
    if (movie.indexFirst)
        options << "-movflags"
                << "+faststart";
    const QString name =
        QStringLiteral("movie-%1s-%2hz-%3x%4-%5fps-%6%7%8%9%10")
            .arg(movie.seconds)
            .arg(movie.toneHz)
            .arg(movie.size.width())
            .arg(movie.size.height())
            .arg(movie.framesPerSecond)
            .arg(movie.withPicture ? "v" : "", movie.withSound ? "a" : "",
                 movie.variableFrameRate ? "-vfr" : "", movie.indexFirst ? "-indexfirst" : "",
                 movie.markedCorner ? "-marked" : "") +
        (movie.flashEverySecond ? "-flashes" : "");
    return made(QStringLiteral("%1-gop%2.%3").arg(name).arg(movie.keyframeSeconds).arg(movie.container),
                inputs + options << "-shortest");
}

QString MovieMaker::repeated(const QString& moviePath, int seconds) const
{
    if (moviePath.isEmpty())
        return {};
    const QFileInfo movie(moviePath);
    return made(QStringLiteral("%1-%2s.%3").arg(movie.completeBaseName()).arg(seconds).arg(movie.suffix()),
                {"-stream_loop", "-1", "-i", moviePath, "-t", QString::number(seconds), "-c", "copy"});
}

QString MovieMaker::made(const QString& name, const QStringList& arguments) const
{
    const QString path = QDir(m_folder).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    // Into a partial file first, so that a movie cut short by a failure is never taken as made.
    QDir().mkpath(m_folder);
    const QString partial = path + ".part." + QFileInfo(path).suffix();
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + arguments << partial);
    if (ffmpeg.waitForFinished(600000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
        ffmpeg.exitCode() == 0 && QFile::rename(partial, path))
        return path;
    qWarning("ffmpeg could not make %s", qPrintable(path));
    QFile::remove(partial);
    return {};
}
