#include "tools/page/picture_source.h"

#include "tools/page/heif_picture.h"
#include "tools/page/page_errors.h"
#include "tools/page/qt_picture.h"

void refuseHugePicture(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        throw EPageRefused("its header gives no size");
    if (width * height > kMaxSourcePixels)
        throw EPageRefused("it is " + std::to_string(width) + " × " + std::to_string(height) + " pixels, more than the "
                           + std::to_string(kMaxSourcePixels / 1'000'000)
                           + " million a picture may have; make it smaller first");
}

std::unique_ptr<PictureSource> openPictureSource(const QByteArray& bytes)
{
    if (looksLikeHeif(bytes))
        return std::make_unique<HeifPicture>(bytes);
    return std::make_unique<QtPicture>(bytes);
}
