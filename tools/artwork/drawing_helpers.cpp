#include "tools/artwork/drawing_helpers.h"

#include <QImage>
#include <cmath>
#include <vector>

namespace artwork {

namespace {

// Three passes of a box blur come close to a Gaussian.
constexpr int kBlurPasses = 3;

void boxBlur(std::vector<int>& values, int width, int height, int radius)
{
    std::vector<int> line(static_cast<std::size_t>(std::max(width, height)));
    const int span = 2 * radius + 1;
    auto blurLine = [&](int count, auto at) {
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < count) ? at(i) : 0;
        for (int i = 0; i < count; ++i) {
            line[static_cast<std::size_t>(i)] = (sum + span / 2) / span;
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            sum -= (leaving >= 0) ? at(leaving) : 0;
            sum += (entering < count) ? at(entering) : 0;
        }
        for (int i = 0; i < count; ++i)
            at(i) = line[static_cast<std::size_t>(i)];
    };
    for (int y = 0; y < height; ++y)
        blurLine(width, [&](int x) -> int& { return values[static_cast<std::size_t>(y * width + x)]; });
    for (int x = 0; x < width; ++x)
        blurLine(height, [&](int y) -> int& { return values[static_cast<std::size_t>(y * width + x)]; });
}

} // namespace

void drawSoftShadow(QPainter& p, const QPainterPath& localShape, QPointF offset, int radius, QColor colour)
{
    // Blur in device pixels, whatever the painter's current transform.
    const QPainterPath shape = p.worldTransform().map(localShape);
    const int margin = radius * kBlurPasses + 2;
    const QRect bounds = shape.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.translate(-bounds.topLeft());
        m.fillPath(shape, Qt::black);
    }
    const int w = mask.width();
    const int h = mask.height();
    std::vector<int> alpha(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[static_cast<std::size_t>(y * w + x)] = qAlpha(row[x]);
    }
    for (int pass = 0; pass < kBlurPasses; ++pass)
        boxBlur(alpha, w, h, radius);
    QImage shadow(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = alpha[static_cast<std::size_t>(y * w + x)] * colour.alpha() / 255;
            row[x] = qRgba(colour.red() * a / 255, colour.green() * a / 255, colour.blue() * a / 255, a);
        }
    }
    p.save();
    p.resetTransform();
    p.drawImage(QPointF(bounds.topLeft()) + offset, shadow);
    p.restore();
}

void enterDesignBox(QPainter& p, const QRectF& box) { enterDesignSpace(p, box, QSizeF(100, 100)); }

void enterDesignSpace(QPainter& p, const QRectF& box, QSizeF design)
{
    p.translate(box.topLeft());
    p.scale(box.width() / design.width(), box.height() / design.height());
}

QPen roundPen(QColor colour, double width) { return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

} // namespace artwork
