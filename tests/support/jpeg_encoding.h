// JPEG files for tests, made on the spot with the JPEG library: an image's
// encoding (colour or grey, baseline or progressive) and a way of damaging one
// so that it loads but fails to decode. No opaque binaries are kept.
#pragma once

#include <QByteArray>
#include <QImage>

namespace testcontent {

struct JpegOptions {
    bool grayscale = false;
    bool progressive = false;
    int quality = 90;
};

QByteArray encodeJpeg(const QImage& image, const JpegOptions& options = {});
// The same JPEG, its header intact, whose scan asks for Huffman tables it
// never defines: it loads, and fails when it is decoded.
QByteArray withUndefinedScanTables(QByteArray jpeg);
// The same JPEG with the dimensions in its frame header replaced.
QByteArray withFrameSize(QByteArray jpeg, int width, int height);
// The same JPEG (a colour one, components 1 to 3) with `count` empty scans
// before its end-of-image marker: each a DC scan header with no data after it,
// which the decoder must still work through.
QByteArray withEmptyScans(QByteArray jpeg, int count);

} // namespace testcontent
