#include "support/ImageDifference.h"

#include <QImage>

#include <cstdlib>

double ImageDifference::mean(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(p[i]) - int(q[i]));
    }
    return sum / (double(x.width()) * x.height() * 3);
}

double ImageDifference::meanLevel(const QImage& image)
{
    if (image.isNull())
        return 0;
    QImage black(image.size(), QImage::Format_RGB888);
    black.fill(Qt::black);
    return mean(image, black);
}
