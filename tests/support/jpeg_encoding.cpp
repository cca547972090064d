#include "tests/support/jpeg_encoding.h"

#include "platform/jpeg/compressor.h"

#include <stdexcept>

namespace testcontent {

namespace {

// The offset of the first marker FF code, or -1.
qsizetype findMarker(const QByteArray& jpeg, unsigned char code)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == code)
            return i;
    return -1;
}

} // namespace

QByteArray encodeJpeg(const QImage& source, const JpegOptions& options)
{
    const QImage image = source.convertToFormat(options.grayscale ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg::Compressor compressor(
        {image.constBits(), image.width(), image.height(), image.bytesPerLine(), options.grayscale ? 1 : 3});
    compressor.setQuality(options.quality);
    if (options.progressive)
        jpeg_simple_progression(&compressor.info());
    const std::vector<std::uint8_t> bytes = compressor.compress();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray withUndefinedScanTables(QByteArray jpeg)
{
    const qsizetype scan = findMarker(jpeg, 0xDA);
    if (scan < 0)
        throw std::runtime_error("no scan header");
    // FF DA, length (2), component count (1), then (id, tables) per component.
    const int components = static_cast<unsigned char>(jpeg[scan + 4]);
    for (int i = 0; i < components; ++i)
        jpeg[scan + 6 + 2 * i] = static_cast<char>(0x33);
    return jpeg;
}

QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    qsizetype frame = findMarker(jpeg, 0xC0);
    if (frame < 0)
        frame = findMarker(jpeg, 0xC2);
    if (frame < 0)
        throw std::runtime_error("no frame header");
    // FF Cn, length (2), precision (1), height (2), width (2).
    auto put16 = [&](qsizetype at, int value) {
        jpeg[at] = static_cast<char>((value >> 8) & 0xFF);
        jpeg[at + 1] = static_cast<char>(value & 0xFF);
    };
    put16(frame + 5, height);
    put16(frame + 7, width);
    return jpeg;
}

QByteArray withEmptyScans(QByteArray jpeg, int count)
{
    // FF DA, length 12, three components (1 with tables 0, 2 and 3 with tables 1),
    // spectral range 0..0, no successive approximation.
    static const QByteArray kEmptyScan = QByteArray::fromHex("FFDA000C03010002110311000000");
    if (!jpeg.endsWith(QByteArray::fromHex("FFD9")))
        throw std::runtime_error("no end-of-image marker at the end");
    jpeg.chop(2);
    jpeg.reserve(jpeg.size() + kEmptyScan.size() * count + 2);
    for (int i = 0; i < count; ++i)
        jpeg += kEmptyScan;
    return jpeg + QByteArray::fromHex("FFD9");
}

} // namespace testcontent
