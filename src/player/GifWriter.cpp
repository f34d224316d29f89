#include "player/GifWriter.h"

#include <QIODevice>
#include <QImage>

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace {

constexpr int paletteSize = 256; // giflib needs a power of two
constexpr int bitsPerPixel = 8;
constexpr int maximumSide = 65535;

int writeToDevice(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return device->write(reinterpret_cast<const char*>(bytes), length) == length ? length : 0;
}

struct ColorMapDeleter
{
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, ColorMapDeleter> paletteOf(const QImage& indexed)
{
    std::vector<GifColorType> colors(paletteSize, GifColorType{0, 0, 0});
    const QList<QRgb> table = indexed.colorTable();
    for (qsizetype i = 0; i < table.size() && i < paletteSize; ++i) {
        colors[i] =
            GifColorType{static_cast<GifByteType>(qRed(table[i])), static_cast<GifByteType>(qGreen(table[i])),
                         static_cast<GifByteType>(qBlue(table[i]))};
    }
    return std::unique_ptr<ColorMapObject, ColorMapDeleter>(GifMakeMapObject(paletteSize, colors.data()));
}

bool writeFrame(GifFileType* gif, const QImage& indexed, const ColorMapObject* palette)
{
    const int width = indexed.width();
    const int height = indexed.height();
    if (EGifPutScreenDesc(gif, width, height, bitsPerPixel, 0, palette) == GIF_ERROR)
        return false;
    if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
        return false;
    // giflib masks the pixels of the line it is given in place, so it gets a copy of each row.
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        const uchar* line = indexed.constScanLine(y);
        std::copy(line, line + width, row.begin());
        if (EGifPutLine(gif, row.data(), width) == GIF_ERROR)
            return false;
    }
    return true;
}

} // namespace

bool GifWriter::write(const QImage& image, QIODevice& device)
{
    if (image.isNull() || image.width() > maximumSide || image.height() > maximumSide)
        return false;
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    const auto palette = paletteOf(indexed);
    if (indexed.isNull() || !palette)
        return false;

    int error = 0;
    GifFileType* gif = EGifOpen(&device, writeToDevice, &error);
    if (gif == nullptr)
        return false;
    const bool written = writeFrame(gif, indexed, palette.get());
    // Closing writes the trailer and frees the handle, also after a failure.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return written && closed;
}
