#include "player/ScreenshotImage.h"

#include "player/MpvNode.h"

#include <cstring>

namespace {

const mpv_node* memberOf(const mpv_node& map, const char* key, mpv_format format)
{
    const mpv_node* value = MpvNode::memberOf(map, key);
    return value != nullptr && value->format == format ? value : nullptr;
}

} // namespace

QImage imageFromScreenshot(const mpv_node& picture)
{
    const mpv_node* width = memberOf(picture, "w", MPV_FORMAT_INT64);
    const mpv_node* height = memberOf(picture, "h", MPV_FORMAT_INT64);
    const mpv_node* stride = memberOf(picture, "stride", MPV_FORMAT_INT64);
    const mpv_node* format = memberOf(picture, "format", MPV_FORMAT_STRING);
    const mpv_node* data = memberOf(picture, "data", MPV_FORMAT_BYTE_ARRAY);
    if (!width || !height || !stride || !format || !data || data->u.ba == nullptr)
        return {};
    if (std::strcmp(format->u.string, "bgr0") != 0)
        return {};

    const std::int64_t w = width->u.int64;
    const std::int64_t h = height->u.int64;
    const std::int64_t bytesPerLine = stride->u.int64;
    constexpr std::int64_t side = 1 << 15;
    if (w <= 0 || h <= 0 || w > side || h > side || bytesPerLine < w * 4)
        return {};
    if (static_cast<std::int64_t>(data->u.ba->size) < bytesPerLine * (h - 1) + w * 4)
        return {};

    // bgr0 is a little-endian 0x00RRGGBB word per pixel; converting to RGB888 ignores the unused
    // byte (RGB32 would expect 0xff there) and copies the pixels out of mpv's buffer.
    const QImage borrowed(static_cast<const uchar*>(data->u.ba->data), static_cast<int>(w),
                          static_cast<int>(h), static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32);
    return borrowed.convertToFormat(QImage::Format_RGB888);
}
