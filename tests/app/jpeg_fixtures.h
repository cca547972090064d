// Pictures for the loader tests, made on the spot: a test pattern, its JPEG
// encoding (colour or grey, baseline or progressive) and ways of damaging
// one. Made with the JPEG library directly, so no opaque binaries are kept.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace fixtures {

struct JpegOptions {
    bool grayscale = false;
    bool progressive = false;
    int quality = 90;
};

// Smooth colour bands, red at the bottom, so that every part of the picture differs.
QImage testPattern(int width, int height);
QByteArray encodeJpeg(const QImage& image, const JpegOptions& options = {});
// The same JPEG with the dimensions in its frame header replaced.
QByteArray withFrameSize(QByteArray jpeg, int width, int height);
// The same JPEG whose scan asks for Huffman tables it never defines.
QByteArray withUndefinedScanTables(QByteArray jpeg);
// The first `fraction` of the bytes.
QByteArray cut(const QByteArray& bytes, double fraction);

void writeFile(const QString& path, const QByteArray& bytes);

} // namespace fixtures
