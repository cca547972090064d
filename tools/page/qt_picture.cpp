#include "tools/page/qt_picture.h"

#include "tools/check/jpeg_markers.h"
#include "tools/page/page_errors.h"
#include "tools/page/png_chunks.h"

#include <array>
#include <utility>

namespace {

// The reader's name for each kind taken, and how the tool names it.
constexpr std::array<std::pair<const char*, const char*>, 6> kFormats{
    {{"jpeg", "JPEG"}, {"png", "PNG"}, {"bmp", "BMP"}, {"gif", "GIF"}, {"webp", "WebP"}, {"tiff", "TIFF"}}};

QString formatName(const QByteArray& readerFormat)
{
    for (const auto& [reader, shown] : kFormats) {
        if (readerFormat == reader)
            return QLatin1String(shown);
    }
    return {};
}

} // namespace

QtPicture::QtPicture(const QByteArray& bytes) : m_bytes(bytes), m_buffer(&m_bytes)
{
    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    m_buffer.open(QIODevice::ReadOnly);
    const QByteArray detected = QImageReader::imageFormat(&m_buffer);
    m_format = formatName(detected);
    if (m_format.isEmpty())
        throw EPageRefused(detected.isEmpty()
                               ? "it is not a picture in a known format (JPEG, PNG, HEIC, WebP, GIF, BMP or TIFF)"
                               : "it is a " + detected.toUpper().toStdString()
                                   + " picture; use JPEG, PNG, HEIC, WebP, GIF, BMP or TIFF");
    // Qt's decoder quietly fills in what a cut-off JPEG lacks with grey.
    if (m_format == QLatin1String("JPEG") && jpegEndsEarly(m_bytes))
        throw EPageRefused("the file ends early (cut off while copying?): part of the picture is missing");
    if (m_format == QLatin1String("PNG") && !pngChunksFit(m_bytes))
        throw EPageRefused("the file is damaged or ends early (cut off while copying?)");
    m_buffer.seek(0);
    m_reader.setDevice(&m_buffer);
    m_reader.setFormat(detected);
    m_reader.setAutoTransform(true);
    m_storedSize = m_reader.size();
    if (!m_storedSize.isValid() || m_storedSize.isEmpty())
        throw EPageRefused("its header gives no size: " + m_reader.errorString().toStdString());
    refuseHugePicture(m_storedSize.width(), m_storedSize.height());
}

bool QtPicture::turned() const { return m_reader.transformation() != QImageIOHandler::TransformationNone; }

QSize QtPicture::uprightSize() const
{
    return m_reader.transformation() & QImageIOHandler::TransformationRotate90 ? m_storedSize.transposed()
                                                                               : m_storedSize;
}

QImage QtPicture::decode()
{
    QImage image;
    if (!m_reader.read(&image) || image.isNull())
        throw EPageRefused("its pixels cannot be decoded: " + m_reader.errorString().toStdString());
    return image;
}
