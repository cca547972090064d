#include "app/raster_graphic.h"

#include "app/core/errors.h"
#include "platform/ui/image_decoding.h"

#include <QPainter>

TRasterGraphic::TRasterGraphic(const char* format, const char* invalidMessage)
    : m_format(format), m_invalidMessage(invalidMessage)
{}

void TRasterGraphic::Draw(QPainter& painter, int x, int y)
{
    if (!m_image.isNull())
        painter.drawImage(x, y, m_image);
}

void TRasterGraphic::ReadData(const QByteArray& data) { LoadFromBytes(lengthPrefixedBytes(data)); }

void TRasterGraphic::LoadFromStream(QIODevice& stream) { LoadFromBytes(readRemainingBytes(stream)); }

void TRasterGraphic::LoadFromBytes(const QByteArray& bytes)
{
    const QImage image = ui::decodeImage(bytes, m_format);
    if (image.isNull())
        throw EInvalidGraphic(m_invalidMessage);
    m_image = image;
}

TBitmap::TBitmap() : TRasterGraphic("BMP", "Bitmap image is not valid") {}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    auto copy = std::make_unique<TBitmap>();
    copy->m_image = m_image;
    return copy;
}

TIcon::TIcon() : TRasterGraphic("ICO", "Icon image is not valid") {}

std::unique_ptr<TGraphic> TIcon::Clone() const
{
    auto copy = std::make_unique<TIcon>();
    copy->m_image = m_image;
    return copy;
}
