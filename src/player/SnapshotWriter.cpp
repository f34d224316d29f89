#include "player/SnapshotWriter.h"

#include "player/GifWriter.h"
#include "player/MoviePlayer.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace {

constexpr int jpegQuality = 90;

// QImageWriter's name of each format it writes for us; gif has its own writer.
const char* qtFormatName(qint16 formatCode)
{
    switch (formatCode) {
    case MoviePlayer::Bmp:
        return "bmp";
    case MoviePlayer::Jpg:
        return "jpg";
    case MoviePlayer::Png:
        return "png";
    case MoviePlayer::Tif:
        return "tiff";
    default:
        return nullptr;
    }
}

bool encode(const QImage& image, QIODevice& device, qint16 formatCode)
{
    if (formatCode == MoviePlayer::Gif)
        return GifWriter::write(image, device);
    QImageWriter writer(&device, qtFormatName(formatCode));
    if (formatCode == MoviePlayer::Jpg)
        writer.setQuality(jpegQuality);
    return writer.write(image);
}

} // namespace

bool SnapshotWriter::write(const QImage& image, const QString& path, qint16 formatCode)
{
    if (image.isNull() || (formatCode != MoviePlayer::Gif && qtFormatName(formatCode) == nullptr))
        return false;
    // A save file writes beside the target and renames on commit, so a failure halfway leaves
    // neither a broken file nor a damaged earlier one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!encode(image, file, formatCode)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
