#pragma once

class QImage;
class QIODevice;

// Writes a picture as a GIF: one frame, quantised to a palette of at most 256 colours.
class GifWriter
{
public:
    // False, with the device's contents undefined, when the picture is empty or too large for
    // a GIF or the device refuses the bytes.
    static bool write(const QImage& image, QIODevice& device);
};
