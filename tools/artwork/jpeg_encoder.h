// Encodes a picture as a baseline JFIF file with libjpeg: 8-bit YCbCr with
// the luminance sampled 2 x 2, the library's two quantisation tables scaled
// to a quality, its four standard Huffman tables, and the JFIF header fields
// set explicitly so the bytes do not depend on library defaults. Drawing the
// picture and framing the file are left to others.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <string>

namespace artwork {

struct JpegSettings {
    int quality = 80;
    std::uint8_t jfifMinorVersion = 1; // JFIF 1.0x
    std::uint8_t densityUnit = 1; // 0 none, 1 dots per inch, 2 dots per centimetre
    std::uint16_t xDensity = 120;
    std::uint16_t yDensity = 120;
    std::string comment; // written as a COM segment when not empty
};

QByteArray encodeJpeg(const QImage& picture, const JpegSettings& settings);

} // namespace artwork
