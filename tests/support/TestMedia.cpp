#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QString pathInRun(const QString& name)
{
    static QTemporaryDir folder;
    return folder.filePath(name);
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString TestMedia::movie(const Movie& movie)
{
    static const MovieMaker maker(pathInRun("movies"));
    return maker.movie(movie);
}

QString TestMedia::file(const QString& name, const QByteArray& contents)
{
    const QString path = QFileInfo(name).isAbsolute() ? name : pathInRun(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() ? path : QString();
}

QString TestMedia::cutAt(const QString& moviePath, double fraction)
{
    const QByteArray contents = contentsOf(moviePath);
    return file(QStringLiteral("cut-%1-%2").arg(fraction).arg(QFileInfo(moviePath).fileName()),
                contents.left(qsizetype(double(contents.size()) * fraction)));
}

QString TestMedia::noiseBehind(const QString& moviePath, qint64 intactBytes)
{
    QByteArray contents = contentsOf(moviePath);
    QRandomGenerator generator(20240614);
    for (qint64 i = intactBytes; i < contents.size(); ++i)
        contents[i] = char(generator.bounded(256));
    return file(QStringLiteral("noise-after-%1-%2").arg(intactBytes).arg(QFileInfo(moviePath).fileName()),
                contents);
}

QString TestMedia::copyAt(const QString& relativePath, const QString& moviePath)
{
    return file(relativePath, contentsOf(moviePath));
}

QString TestMedia::outputPath(const QString& name)
{
    static int serial = 0;
    return pathInRun(QStringLiteral("out-%1-%2").arg(++serial).arg(name));
}
