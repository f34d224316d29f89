#pragma once

class QImage;

// Comparisons of pictures for the snapshot and video tests, on 0..255 colour channels.
class ImageDifference
{
public:
    // Mean absolute difference per channel; huge when the sizes differ.
    static double mean(const QImage& a, const QImage& b);
    // Mean channel value: about 0 for a black picture.
    static double meanLevel(const QImage& image);
};
