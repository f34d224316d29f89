#pragma once

#include <QRect>

// Window layouts are given in twips (1/1440 inch). At the desktop's reference 96 dpi one
// device-independent pixel is 15 twips; Qt scales device-independent pixels for high-DPI screens.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
