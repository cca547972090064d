// Helpers for the artwork tests: reading committed resource files, little-
// endian fields, a walker over the marker segments of a JPEG file, and a
// libjpeg decoder to RGB. They inspect bytes only; what to expect is the
// tests' business.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace artwork_test {

// The committed file at `relativePath` below the source tree; fails the test when missing.
QByteArray committedFile(const QString& relativePath);

std::uint32_t le16(const QByteArray& bytes, int offset);
std::uint32_t le32(const QByteArray& bytes, int offset);
std::uint32_t be16(const QByteArray& bytes, int offset);
std::uint8_t byteAt(const QByteArray& bytes, int offset);

// One marker segment before the scan: its marker byte and its payload
// (the bytes after the two length bytes).
struct JpegSegment {
    std::uint8_t marker;
    QByteArray payload;
};

// The segments from after SOI up to and including SOS; throws
// std::runtime_error when the structure is broken.
std::vector<JpegSegment> jpegSegments(const QByteArray& jpeg);

// Decodes with libjpeg to a 24-bit picture; throws std::runtime_error on a libjpeg error.
QImage decodeJpeg(const QByteArray& jpeg);

} // namespace artwork_test
