#include "tools/check/picture_check.h"

#include "app/core/errors.h"
#include "app/error_box.h"
#include "app/file_services.h"
#include "app/jpeg_image.h"
#include "app/picture_file.h"
#include "platform/ui/image.h"
#include "tools/check/jpeg_markers.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

QString errorBoxNote(const char* when, const std::exception& error)
{
    return QStringLiteral("error box \"%1\" %2")
        .arg(withFinalPeriod(QString::fromUtf8(error.what())), QLatin1String(when));
}

// Why a file that opens elsewhere is refused at load, when it is its size.
QString loadRefusalReason(const QString& path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= kMaxPictureFileBytes)
        return {};
    return QStringLiteral(": the file is %1 MiB, and the program reads no picture over %2 MiB")
        .arg(size >> 20)
        .arg(kMaxPictureFileBytes >> 20);
}

// Why decoding a picture that opens elsewhere is refused, when it is its scans.
QString paintRefusalReason(const std::exception& error)
{
    if (error.what() != jpegError(TJPEGImage::kTooManyScansCode).Message())
        return {};
    return QStringLiteral(": it has more than %1 scans, which no camera or program writes").arg(TJPEGImage::kMaxScans);
}

QString sizeText(int width, int height) { return QStringLiteral("%1×%2").arg(width).arg(height); }

} // namespace

FileCheck checkPictureFile(const QString& path)
{
    FileCheck check;
    if (!FileIsPresent(path)) {
        check.report(CheckStatus::Missing, QStringLiteral("missing: the built-in fallback picture shows"));
        return check;
    }
    TImage area;
    area.resize(kPictureAreaSize);
    try {
        LoadPictureFile(area, path);
    } catch (const std::exception& error) {
        check.report(CheckStatus::Failed, errorBoxNote("when the page loads", error) + loadRefusalReason(path));
        return check;
    }
    TGraphic& graphic = *area.Picture().Graphic();
    check.value = sizeText(graphic.Width(), graphic.Height());

    // The first painting decodes the picture; draw it once as the area would.
    QImage canvas(kPictureAreaSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    try {
        QPainter painter(&canvas);
        const QPoint origin = area.pictureOrigin();
        graphic.Draw(painter, origin.x(), origin.y());
    } catch (const std::exception& error) {
        check.report(CheckStatus::Failed,
                     errorBoxNote("when the picture is first painted", error) + paintRefusalReason(error));
        return check;
    }

    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic); jpeg && jpegEndsEarly(jpeg->Data()))
        check.report(
            CheckStatus::Warning,
            QStringLiteral(
                "truncated: the file ends early, so part of the picture is missing (filled in by the decoder)"));
    if (graphic.Width() > kPictureAreaSize.width() || graphic.Height() > kPictureAreaSize.height())
        check.report(CheckStatus::Warning,
                     QStringLiteral("larger than the %1 picture area: its edges are cut off")
                         .arg(sizeText(kPictureAreaSize.width(), kPictureAreaSize.height())));
    return check;
}
