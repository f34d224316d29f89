#include "excerpt/ExcerptFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// Twelve short lines and a path fit many times over. A movie picked by mistake is not read whole.
constexpr qint64 longestExcerpt = 64 * 1024;
} // namespace

QString writeExcerptFile(const QString& path, const Excerpt& excerpt)
{
    if (excerpt.moviePath.contains(QLatin1Char('\n')) || excerpt.moviePath.contains(QLatin1Char('\r')))
        return QStringLiteral("The movie's path has a line break in it, which an excerpt file cannot hold.");
    const QByteArray text = excerptText(excerpt);
    QSaveFile file(path);
    // Unbuffered, so that a disk that is full fails the write here. A buffered write would fail
    // only in commit's final flush, and QSaveFile (Qt 6.4) would then still put the short file in
    // the target's place.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text) == text.size() &&
        file.commit())
        return {};
    return QStringLiteral("The excerpt file could not be saved: %1").arg(file.errorString());
}

ExcerptReading readExcerptFile(const QString& path)
{
    ExcerptReading failed;
    // Only an ordinary file: a pipe or a device could block or never end.
    if (!QFileInfo(path).isFile()) {
        failed.error =
            QStringLiteral("The excerpt file could not be opened: there is no file at %1").arg(path);
        return failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = QStringLiteral("The excerpt file could not be opened: %1").arg(file.errorString());
        return failed;
    }
    return readExcerptText(file.read(longestExcerpt));
}
