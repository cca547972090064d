#include "tools/artwork/preview.h"

#include "tools/artwork/artwork_error.h"
#include "tools/artwork/artwork_set.h"
#include "tools/artwork/glyphs.h"
#include "tools/artwork/main_icon.h"

#include <QDir>
#include <QFile>
#include <QPainter>

namespace artwork {

namespace {

// Enlargement of one bitmap pixel in the preview.
constexpr int kZoom = 8;

void save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG"))
        throw EArtworkError("cannot write " + path.toStdString());
}

// An enlarged map on a button-face ground with a faint pixel grid.
QImage enlarged(const PixelMap& map, const Palette16& palette)
{
    const QImage small = map.toImage(palette);
    QImage big(map.width() * kZoom, map.height() * kZoom, QImage::Format_RGB32);
    big.fill(QColor(212, 208, 200));
    QPainter p(&big);
    p.drawImage(big.rect(), small);
    p.setPen(QColor(0, 0, 0, 30));
    for (int x = kZoom; x < big.width(); x += kZoom)
        p.drawLine(x, 0, x, big.height());
    for (int y = kZoom; y < big.height(); y += kZoom)
        p.drawLine(0, y, big.width(), y);
    return big;
}

} // namespace

void writePreview(const QString& folder)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    for (const ArtworkFile& file : generateArtwork()) {
        if (!file.relativePath.endsWith(QLatin1String(".picture")))
            continue;
        // The stream holds the class name and a length before the JPEG itself.
        const int skip = 1 + static_cast<unsigned char>(file.bytes[0]) + 4;
        QFile out(dir.filePath(QFileInfo(file.relativePath).baseName() + QStringLiteral(".jpg")));
        if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes.mid(skip)) < 0)
            throw EArtworkError("cannot write the picture preview");
    }
    for (const Glyph& glyph : speedButtonGlyphs())
        save(enlarged(glyph.bitmap, glyphPalette()), dir.filePath(QString::fromStdString(glyph.name) + ".png"));
    save(enlarged(mainIcon32(), iconPalette()), dir.filePath(QStringLiteral("icon32.png")));
    save(enlarged(mainIcon16(), iconPalette()), dir.filePath(QStringLiteral("icon16.png")));
    save(mainIconLarge(256), dir.filePath(QStringLiteral("icon256.png")));
}

} // namespace artwork
