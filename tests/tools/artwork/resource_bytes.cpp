#include "tests/tools/artwork/resource_bytes.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <memory>
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

namespace {

[[noreturn]] void throwJpegError(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*cinfo->err->format_message)(cinfo, text);
    throw std::runtime_error(text);
}

void ignoreMessage(j_common_ptr) {}

struct DecompressDeleter {
    void operator()(jpeg_decompress_struct* cinfo) const { jpeg_destroy_decompress(cinfo); }
};

} // namespace

QImage decodeJpeg(const QByteArray& jpeg)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = throwJpegError;
    errors.output_message = ignoreMessage;
    jpeg_create_decompress(&cinfo);
    const std::unique_ptr<jpeg_decompress_struct, DecompressDeleter> guard(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    return image;
}

} // namespace artwork_test
