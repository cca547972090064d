#include "tools/content/picture_style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRectF>

#include <array>
#include <cstdint>

namespace content {

namespace {

const std::array<Palette, 9> kPalettes{{
    {QColor(0xFF, 0xE0, 0xDB), QColor(0xFF, 0xB8, 0xAE), QColor(0xE5, 0x39, 0x35)}, // red
    {QColor(0xFF, 0xEB, 0xCC), QColor(0xFF, 0xCB, 0x8A), QColor(0xEF, 0x6C, 0x00)}, // orange
    {QColor(0xFF, 0xF6, 0xC4), QColor(0xFF, 0xE3, 0x7A), QColor(0xD8, 0x8A, 0x00)}, // yellow
    {QColor(0xE3, 0xF7, 0xD0), QColor(0xB9, 0xE6, 0x98), QColor(0x2E, 0x9B, 0x3A)}, // green
    {QColor(0xD2, 0xF4, 0xEF), QColor(0x98, 0xE0, 0xD5), QColor(0x00, 0x89, 0x7B)}, // teal
    {QColor(0xD8, 0xEE, 0xFF), QColor(0xA6, 0xD5, 0xFF), QColor(0x1E, 0x7F, 0xE0)}, // sky
    {QColor(0xE0, 0xE4, 0xFF), QColor(0xBB, 0xC3, 0xFF), QColor(0x39, 0x49, 0xAB)}, // indigo
    {QColor(0xEE, 0xE2, 0xFF), QColor(0xD3, 0xB8, 0xFF), QColor(0x8E, 0x24, 0xAA)}, // purple
    {QColor(0xFF, 0xE2, 0xF0), QColor(0xFF, 0xBA, 0xDB), QColor(0xD8, 0x1B, 0x60)}, // pink
}};

// Steps through the palettes so that letters next to each other never share one.
constexpr int kPaletteStride = 4;

constexpr int kBubbleCount = 12;
constexpr int kBubbleAlpha = 70;

// A tiny deterministic generator: the same bubbles on every build.
class Lcg {
public:
    explicit Lcg(int seed) : m_state(static_cast<std::uint32_t>(seed) * 2654435761U + 12345U) {}
    double next()
    {
        m_state = m_state * 1664525U + 1013904223U;
        return (m_state >> 8) / double(1U << 24);
    }

private:
    std::uint32_t m_state;
};

} // namespace

const Palette& paletteFor(int index)
{
    const int n = static_cast<int>(kPalettes.size());
    return kPalettes[static_cast<size_t>(((index * kPaletteStride) % n + n) % n)];
}

QFont letterFont(int pixelSize)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void paintBackground(QPainter& painter, const Palette& palette, int seed)
{
    const QRectF all(QPointF(0, 0), QSizeF(kPictureSize));
    QLinearGradient sky(all.topLeft(), all.bottomLeft());
    sky.setColorAt(0, palette.skyTop);
    sky.setColorAt(1, palette.skyBottom);
    painter.fillRect(all, sky);

    Lcg random(seed);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, kBubbleAlpha));
    for (int i = 0; i < kBubbleCount; ++i) {
        const double x = random.next() * all.width();
        const double y = random.next() * all.height();
        const double r = 10 + random.next() * 38;
        painter.drawEllipse(QPointF(x, y), r, r);
    }
    painter.restore();
}

QPainterPath centredTextPath(const QFont& font, const QString& text, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    return path.translated(centre - ink.center());
}

void paintRaised(QPainter& painter, const QPainterPath& shape, const QColor& fill, const QColor& outline,
                 qreal outlineWidth)
{
    constexpr QPointF kShadowOffset(4, 5);
    painter.save();
    painter.setPen(QPen(QColor(0, 0, 0, 45), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawPath(shape.translated(kShadowOffset));
    painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape); // the outline first, so the fill keeps its full shape
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(shape);
    painter.restore();
}

void paintCard(QPainter& painter, const QRectF& rect, qreal radius, int alpha)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawRoundedRect(rect.translated(5, 6), radius, radius);
    painter.setBrush(QColor(255, 255, 255, alpha));
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

} // namespace content
