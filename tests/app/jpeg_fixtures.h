// Pictures for the loader tests, made on the spot: a test pattern, its JPEG
// encoding (colour or grey, baseline or progressive) and ways of damaging
// one. Made with the JPEG library directly, so no opaque binaries are kept.
#pragma once

#include "tests/support/jpeg_encoding.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace fixtures {

using testcontent::encodeJpeg;
using testcontent::JpegOptions;
using testcontent::withEmptyScans;
using testcontent::withFrameSize;
using testcontent::withUndefinedScanTables;

// Smooth colour bands, red at the bottom, so that every part of the picture differs.
QImage testPattern(int width, int height);
// The number of scans: start-of-scan markers (a scan's own data never holds one).
int scanCount(const QByteArray& jpeg);
// The first `fraction` of the bytes.
QByteArray cut(const QByteArray& bytes, double fraction);

} // namespace fixtures
