#pragma once

#include <QtGlobal>

class QImage;
class QString;

// Writes a still frame to an image file in the format of a snapshot format code
// (MoviePlayer::ImageFormat). The file appears complete or not at all.
class SnapshotWriter
{
public:
    // False, leaving nothing at the path, for an empty image, an unknown code or a file that
    // cannot be written.
    static bool write(const QImage& image, const QString& path, qint16 formatCode);
};
