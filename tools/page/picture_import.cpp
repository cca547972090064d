#include "tools/page/picture_import.h"

#include "tools/check/picture_check.h"
#include "tools/page/page_errors.h"
#include "tools/page/picture_source.h"

#include <QColorSpace>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <new>

namespace {

// What transparent parts of a picture (a sticker, a screenshot) are laid on.
constexpr QRgb kBackdrop = 0xFFFFFFFF;

QString sizeText(QSize size) { return QStringLiteral("%1×%2").arg(size.width()).arg(size.height()); }

} // namespace

QSize fittedPictureSize(QSize upright)
{
    const QSize area = kPictureAreaSize;
    if (upright.width() <= area.width() && upright.height() <= area.height())
        return upright;
    const double scale = std::min(static_cast<double>(area.width()) / upright.width(),
                                  static_cast<double>(area.height()) / upright.height());
    // Rounded, but never past the area, and never to nothing for a thin strip.
    const int width = std::clamp(static_cast<int>(std::lround(upright.width() * scale)), 1, area.width());
    const int height = std::clamp(static_cast<int>(std::lround(upright.height() * scale)), 1, area.height());
    return {width, height};
}

QImage preparePicture(const QImage& upright)
{
    QImage picture = upright;
    if (picture.colorSpace().isValid() && picture.colorSpace() != QColorSpace(QColorSpace::SRgb))
        picture.convertToColorSpace(QColorSpace::SRgb);

    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(kBackdrop);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    const QSize fitted = fittedPictureSize(flat.size());
    if (fitted == flat.size())
        return flat;
    // Qt's smooth scaling of 32-bit pixels averages every source pixel a
    // target pixel covers, so fine detail turns to its mean, not to moiré.
    return flat.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage importPicture(const QByteArray& bytes, const QString& path, QTextStream& progress)
{
    try {
        std::unique_ptr<PictureSource> source = openPictureSource(bytes);
        const QSize upright = source->uprightSize();
        const QSize fitted = fittedPictureSize(upright);
        QStringList steps;
        if (source->turned())
            steps.append(QStringLiteral("turned upright by its orientation"));
        steps.append(fitted == upright ? QStringLiteral("kept at %1 (it fits the picture area)").arg(sizeText(fitted))
                                       : QStringLiteral("scaled down to %1").arg(sizeText(fitted)));
        progress << "picture " << path << ": " << source->format() << ' ' << sizeText(upright) << ", "
                 << steps.join(QStringLiteral(", ")) << Qt::endl;
        return preparePicture(source->decode());
    } catch (const EPageRefused& error) {
        throw EPageRefused((path + QStringLiteral(": cannot use it as a picture: ")).toStdString() + error.what());
    } catch (const std::bad_alloc&) {
        throw EPageRefused((path
                            + QStringLiteral(": cannot use it as a picture: decoding it needs more memory than "
                                             "a picture may take (a damaged file?)"))
                               .toStdString());
    }
}
