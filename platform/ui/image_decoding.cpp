#include "platform/ui/image_decoding.h"

#include <QBuffer>
#include <QImageReader>

namespace ui {

namespace {

QImage readNamedFormat(QImageReader& reader)
{
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QImage decodeImage(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return readNamedFormat(reader);
}

QImage readImageFile(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    return readNamedFormat(reader);
}

QList<QImage> readEveryImage(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    const int count = reader.imageCount();
    for (int index = 0; index < count && reader.jumpToImage(index); ++index) {
        QImage image = reader.read();
        if (!image.isNull())
            images.append(std::move(image));
    }
    return images;
}

} // namespace ui
