#include "tools/artwork/artwork_set.h"

#include "tools/artwork/artwork_error.h"
#include "tools/artwork/dib_writer.h"
#include "tools/artwork/glyphs.h"
#include "tools/artwork/jpeg_encoder.h"
#include "tools/artwork/main_icon.h"
#include "tools/artwork/streams.h"
#include "tools/artwork/title_picture.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace artwork {

namespace {

// Size of the smooth icon rendering for desktop entries.
constexpr int kLargeIconSize = 128;
// Resolution recorded in the PNG files: the design density of 120 dots per
// inch, fixed so that the bytes do not follow the screen of the run.
constexpr int kPngDotsPerMetre = 4724;

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage plain = image.convertToFormat(QImage::Format_ARGB32);
    plain.setDotsPerMeterX(kPngDotsPerMetre);
    plain.setDotsPerMeterY(kPngDotsPerMetre);
    if (!plain.save(&buffer, "PNG"))
        throw EArtworkError("cannot encode a PNG picture");
    return bytes;
}

} // namespace

std::vector<ArtworkFile> generateArtwork()
{
    std::vector<ArtworkFile> files;

    const QImage title = titlePicture();
    JpegSettings titleSettings;
    titleSettings.quality = kTitleQuality;
    titleSettings.jfifMinorVersion = 1;
    titleSettings.densityUnit = 1; // dots per inch
    titleSettings.xDensity = 120;
    titleSettings.yDensity = 120;
    files.push_back({QStringLiteral("windows/resources/pictures/title.picture"),
                     pictureStream(kJpegPictureClass, encodeJpeg(title, titleSettings))});

    JpegSettings fallbackSettings;
    fallbackSettings.quality = kFallbackQuality;
    fallbackSettings.jfifMinorVersion = 2;
    fallbackSettings.densityUnit = 2; // dots per centimetre, with no density given
    fallbackSettings.xDensity = 0;
    fallbackSettings.yDensity = 0;
    fallbackSettings.comment = kFallbackComment;
    files.push_back({QStringLiteral("windows/resources/pictures/fallback.picture"),
                     pictureStream(kJpegPictureClass, encodeJpeg(fallbackPicture(title), fallbackSettings))});

    for (const Glyph& glyph : speedButtonGlyphs()) {
        files.push_back({QStringLiteral("windows/resources/glyphs/%1.glyph").arg(QString::fromStdString(glyph.name)),
                         glyphStream(bitmapFile(glyph.bitmap, glyphPalette(), Colour16::Olive))});
    }

    const PixelMap icon32 = mainIcon32();
    const PixelMap icon16 = mainIcon16();
    files.push_back({QStringLiteral("windows/resources/icon/MAINICON.ico"), iconFile({icon32, icon16}, iconPalette())});
    files.push_back({QStringLiteral("windows/resources/icon/tolvika-32.png"), pngBytes(icon32.toImage(iconPalette()))});
    files.push_back({QStringLiteral("windows/resources/icon/tolvika-16.png"), pngBytes(icon16.toImage(iconPalette()))});
    files.push_back(
        {QStringLiteral("windows/resources/icon/tolvika-128.png"), pngBytes(mainIconLarge(kLargeIconSize))});
    return files;
}

void writeArtwork(const QString& root, const std::vector<ArtworkFile>& files)
{
    for (const ArtworkFile& file : files) {
        const QString path = QDir(root).filePath(file.relativePath);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw EArtworkError("cannot create the folder for " + path.toStdString());
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() || !out.commit())
            throw EArtworkError("cannot write " + path.toStdString());
    }
}

} // namespace artwork
