#include "jpeg_fixtures.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace fixtures {

namespace {

// The offset of the first marker FF code, or -1.
qsizetype findMarker(const QByteArray& jpeg, unsigned char code)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == code)
            return i;
    return -1;
}

void putBigEndian16(QByteArray& bytes, qsizetype at, int value)
{
    bytes[at] = static_cast<char>((value >> 8) & 0xFF);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

} // namespace

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

QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    qsizetype frame = findMarker(jpeg, 0xC0);
    if (frame < 0)
        frame = findMarker(jpeg, 0xC2);
    if (frame < 0)
        throw std::runtime_error("no frame header");
    // FF Cn, length (2), precision (1), height (2), width (2).
    putBigEndian16(jpeg, frame + 5, height);
    putBigEndian16(jpeg, frame + 7, width);
    return jpeg;
}

QByteArray cut(const QByteArray& bytes, double fraction)
{
    return bytes.left(static_cast<qsizetype>(bytes.size() * fraction));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace fixtures
