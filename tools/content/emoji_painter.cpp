#include "tools/content/emoji_painter.h"

#include "tools/content/drawn_things.h"

#include "platform/exception/exception.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

namespace content {

namespace {

// The only size at which the colour font holds bitmaps.
constexpr int kNativeStrikePixels = 109;

std::string hex(char32_t codePoint)
{
    return QString::number(static_cast<uint>(codePoint), 16).toUpper().toStdString();
}

} // namespace

EmojiPainter::EmojiPainter(const std::filesystem::path& fontFile)
{
    const QString file = QString::fromStdString(fontFile.string());
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        throw Exception("Cannot load the emoji font " + fontFile.string());
    m_family = families.front();
    m_raw = QRawFont(file, kNativeStrikePixels);
    if (!m_raw.isValid())
        throw Exception("Cannot read the emoji font " + fontFile.string());
}

bool EmojiPainter::supports(char32_t codePoint) const
{
    return isDrawnThing(codePoint) || m_raw.supportsCharacter(static_cast<uint>(codePoint));
}

QImage EmojiPainter::renderNative(char32_t codePoint) const
{
    const char32_t text[] = {codePoint};
    const QString glyph = QString::fromUcs4(text, 1);
    QFont font(m_family);
    font.setPixelSize(kNativeStrikePixels);
    font.setStyleStrategy(QFont::NoFontMerging); // never a fallback from another font
    const QFontMetrics metrics(font);

    // Generous room: the bitmaps are a little wider than the strike.
    const int room = kNativeStrikePixels * 2;
    QImage canvas(room, room, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.drawText(QPointF(room / 4.0, room / 4.0 + metrics.ascent()), glyph);
    }

    // Trim to the painted pixels.
    int left = room, top = room, right = -1, bottom = -1;
    for (int y = 0; y < room; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < room; ++x) {
            if (qAlpha(line[x]) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        throw Exception("The emoji font drew nothing for U+" + hex(codePoint));
    return canvas.copy(left, top, right - left + 1, bottom - top + 1);
}

QImage EmojiPainter::render(char32_t codePoint, int side) const
{
    if (!supports(codePoint))
        throw Exception("The emoji font has no picture for U+" + hex(codePoint));
    if (isDrawnThing(codePoint))
        return paintDrawnThing(codePoint, side);
    const QImage native = renderNative(codePoint);
    return native.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace content
