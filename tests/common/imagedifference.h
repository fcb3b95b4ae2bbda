#pragma once

#include <QImage>

#include <algorithm>
#include <cstdlib>

// How far apart two pictures of the same size are, per colour channel
// (0..255): the largest difference and the mean one. Pictures of different
// sizes are as far apart as can be.
struct ImageDifference
{
    int largest = 0;
    double mean = 0;
};

inline ImageDifference imageDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    if (left.size() != right.size() || left.isNull())
        return {255, 255};
    ImageDifference difference;
    qint64 sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            for (int channel :
                 {std::abs(qRed(l[x]) - qRed(r[x])), std::abs(qGreen(l[x]) - qGreen(r[x])),
                  std::abs(qBlue(l[x]) - qBlue(r[x]))}) {
                difference.largest = std::max(difference.largest, channel);
                sum += channel;
            }
        }
    }
    difference.mean = double(sum) / (3.0 * left.width() * left.height());
    return difference;
}
