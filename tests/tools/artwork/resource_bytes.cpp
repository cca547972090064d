#include "tests/tools/artwork/resource_bytes.h"

#include "platform/jpeg/decompressor.h"

#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace artwork_test {

QByteArray committedFile(const QString& relativePath)
{
    QFile file(QStringLiteral(TOLVIKA_SOURCE_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing committed file " << relativePath.toStdString();
        return {};
    }
    return file.readAll();
}

std::uint8_t byteAt(const QByteArray& bytes, int offset)
{
    if (offset < 0 || offset >= bytes.size())
        throw std::out_of_range("offset " + std::to_string(offset) + " beyond the data");
    return static_cast<std::uint8_t>(bytes[offset]);
}

std::uint32_t le16(const QByteArray& bytes, int offset)
{
    return byteAt(bytes, offset) | (byteAt(bytes, offset + 1) << 8);
}

std::uint32_t le32(const QByteArray& bytes, int offset)
{
    return le16(bytes, offset) | (le16(bytes, offset + 2) << 16);
}

std::uint32_t be16(const QByteArray& bytes, int offset)
{
    return (byteAt(bytes, offset) << 8) | byteAt(bytes, offset + 1);
}

std::vector<JpegSegment> jpegSegments(const QByteArray& jpeg)
{
    if (jpeg.size() < 4 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != 0xD8)
        throw std::runtime_error("no start-of-image marker");
    std::vector<JpegSegment> segments;
    int at = 2;
    while (true) {
        if (byteAt(jpeg, at) != 0xFF)
            throw std::runtime_error("marker expected at " + std::to_string(at));
        const std::uint8_t marker = byteAt(jpeg, at + 1);
        const int length = static_cast<int>(be16(jpeg, at + 2));
        if (length < 2 || at + 2 + length > jpeg.size())
            throw std::runtime_error("bad segment length");
        segments.push_back({marker, jpeg.mid(at + 4, length - 2)});
        at += 2 + length;
        if (marker == 0xDA)
            return segments;
    }
}

QImage decodeJpeg(const QByteArray& jpeg)
{
    jpeg::Decompressor decompressor(reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                    static_cast<std::size_t>(jpeg.size()));
    decompressor.readHeader();
    decompressor.info().out_color_space = JCS_RGB;
    decompressor.start();
    QImage image(static_cast<int>(decompressor.info().output_width),
                 static_cast<int>(decompressor.info().output_height), QImage::Format_RGB888);
    decompressor.readRows([&](JDIMENSION row) { return image.scanLine(static_cast<int>(row)); });
    return image;
}

} // namespace artwork_test
