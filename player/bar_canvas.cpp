#include "player/bar_canvas.h"

#include <algorithm>

BarCanvas::BarCanvas(QImage& image) : m_image(image) {}

void BarCanvas::fill(int left, int top, int right, int bottom, QRgb color)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_image.width());
    bottom = std::min(bottom, m_image.height());
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(row + left, row + std::max(left, right), color);
    }
}

void BarCanvas::invert(int x, int y)
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return;
    auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
    row[x] = 0xFF000000u | (~row[x] & 0x00FFFFFFu);
}

void BarCanvas::frameRect(int left, int top, int right, int bottom, const QColor& pen)
{
    if (right <= left || bottom <= top)
        return;
    const QRgb color = pen.rgb();
    fill(left, top, right, top + 1, color);
    fill(left, bottom - 1, right, bottom, color);
    fill(left, top, left + 1, bottom, color);
    fill(right - 1, top, right, bottom, color);
}

void BarCanvas::rectangle(int left, int top, int right, int bottom, const QColor& pen, const QColor& brush)
{
    fill(left, top, right, bottom, brush.rgb());
    frameRect(left, top, right, bottom, pen);
}

void BarCanvas::line(int x1, int y1, int x2, int y2, const QColor& pen)
{
    const QRgb color = pen.rgb();
    if (y1 == y2) {
        if (x2 >= x1)
            fill(x1, y1, x2, y1 + 1, color);
        else
            fill(x2 + 1, y1, x1 + 1, y1 + 1, color);
    } else if (x1 == x2) {
        if (y2 >= y1)
            fill(x1, y1, x1 + 1, y2, color);
        else
            fill(x1, y2 + 1, x1 + 1, y1 + 1, color);
    }
}

void BarCanvas::drawTransparent(int x, int y, const QImage& glyph, const QColor& transparent)
{
    const QImage source = glyph.format() == QImage::Format_RGB32 ? glyph : glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb clear = transparent.rgb();
    for (int gy = 0; gy < source.height(); ++gy) {
        const int ty = y + gy;
        if (ty < 0 || ty >= m_image.height())
            continue;
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(gy));
        auto* to = reinterpret_cast<QRgb*>(m_image.scanLine(ty));
        for (int gx = 0; gx < source.width(); ++gx) {
            const int tx = x + gx;
            if (tx >= 0 && tx < m_image.width() && from[gx] != clear)
                to[tx] = from[gx];
        }
    }
}

void BarCanvas::focusRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    const auto dotted = [&](int x, int y) {
        if (((x - left) + (y - top)) % 2 == 0)
            invert(x, y);
    };
    for (int x = left; x < right; ++x) {
        dotted(x, top);
        if (bottom - 1 > top)
            dotted(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        dotted(left, y);
        if (right - 1 > left)
            dotted(right - 1, y);
    }
}
