#include "snapshot/SnapshotFileName.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QString>

#include <iterator>

namespace {

struct ImageType
{
    const char* extension;
    const char* saveAsFilter;
};

// Indexed by format code.
constexpr ImageType imageTypes[] = {
    {"bmp", "Bitmap files (*.bmp)|*.bmp"}, {"jpg", "JPG files (*.jpg)|*.jpg"},
    {"png", "PNG files (*.png)|*.png"},    {"tif", "TIF files (*.tif)|*.tif"},
    {"gif", "GIF files (*.gif)|*.gif"},
};

const ImageType* imageType(qint16 formatCode)
{
    if (formatCode < 0 || formatCode >= static_cast<qint16>(std::size(imageTypes)))
        return nullptr;
    return &imageTypes[formatCode];
}

} // namespace

QString SnapshotFileName::extension(qint16 formatCode)
{
    const ImageType* type = imageType(formatCode);
    return type ? QString::fromLatin1(type->extension) : QString();
}

QString SnapshotFileName::saveAsFilter(qint16 formatCode)
{
    const ImageType* type = imageType(formatCode);
    return type ? QString::fromLatin1(type->saveAsFilter) : QString();
}

QString SnapshotFileName::make(const QString& folder, qint16 formatCode, const QDateTime& takenAt,
                               const QLocale& locale)
{
    const QString stem = folder + QStringLiteral("Snapshot ") +
                         locale.toString(takenAt, QStringLiteral("MMM-dd-yyyy hh-mm-ss"));
    const QString suffix = QLatin1Char('.') + extension(formatCode);
    QString path = stem + suffix;
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = stem + QStringLiteral(" (%1)").arg(copy) + suffix;
    return path;
}
