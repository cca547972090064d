#include "tests/app/jpeg_fixtures.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace fixtures {

QImage testPattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const bool bottom = y >= height * 9 / 10;
            row[3 * x] = static_cast<uchar>(bottom ? 220 : (x * 255) / std::max(1, width - 1));
            row[3 * x + 1] = static_cast<uchar>(bottom ? 30 : (y * 255) / std::max(1, height - 1));
            row[3 * x + 2] = static_cast<uchar>(bottom ? 30 : ((x + y) * 7) % 256);
        }
    }
    return image;
}

int scanCount(const QByteArray& jpeg)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xDA)
            ++count;
    return count;
}

QByteArray cut(const QByteArray& bytes, double fraction)
{
    return bytes.left(static_cast<qsizetype>(bytes.size() * fraction));
}

} // namespace fixtures
