#include "tools/content/drawn_things.h"

#include "platform/exception/exception.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace content {

namespace {

const QColor kOutline(0x5D, 0x40, 0x37);
const QColor kSteel(0xB0, 0xBE, 0xC5);
const QColor kSteelDark(0x78, 0x90, 0x9C);

// The body's bands, top to bottom.
const std::array<QColor, 5> kBands{{
    QColor(0xF4, 0x43, 0x36),
    QColor(0xFF, 0xC1, 0x07),
    QColor(0x4C, 0xAF, 0x50),
    QColor(0x21, 0x96, 0xF3),
    QColor(0xF4, 0x43, 0x36),
}};

void paintSpinningTop(QPainter& p, qreal s)
{
    const qreal line = s * 0.018;
    p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // The handle: a steel rod with a red knob on top.
    const QRectF rod(s * 0.465, s * 0.10, s * 0.07, s * 0.30);
    QLinearGradient steel(rod.topLeft(), rod.topRight());
    steel.setColorAt(0, kSteelDark);
    steel.setColorAt(0.4, kSteel.lighter(120));
    steel.setColorAt(1, kSteelDark);
    p.setBrush(steel);
    p.drawRoundedRect(rod, line, line);
    QRadialGradient knob(QPointF(s * 0.485, s * 0.075), s * 0.07);
    knob.setColorAt(0, QColor(0xFF, 0x8A, 0x80));
    knob.setColorAt(1, QColor(0xD3, 0x2F, 0x2F));
    p.setBrush(knob);
    p.drawEllipse(QPointF(s * 0.5, s * 0.09), s * 0.065, s * 0.065);

    // The point it spins on.
    QPainterPath point;
    point.moveTo(s * 0.44, s * 0.80);
    point.lineTo(s * 0.5, s * 0.95);
    point.lineTo(s * 0.56, s * 0.80);
    point.closeSubpath();
    p.setBrush(kSteelDark);
    p.drawPath(point);

    // The body: a squashed ball with coloured bands, lit from the upper left.
    const QRectF body(s * 0.06, s * 0.34, s * 0.88, s * 0.52);
    QPainterPath shape;
    shape.addEllipse(body);
    p.save();
    p.setClipPath(shape);
    p.setPen(Qt::NoPen);
    const qreal band = body.height() / static_cast<qreal>(kBands.size());
    for (size_t i = 0; i < kBands.size(); ++i) {
        p.setBrush(kBands[i]);
        p.drawRect(QRectF(body.left(), body.top() + band * static_cast<qreal>(i), body.width(), band + 1));
    }
    QRadialGradient light(QPointF(body.left() + body.width() * 0.32, body.top() + body.height() * 0.25),
                          body.width() * 0.75);
    light.setColorAt(0, QColor(255, 255, 255, 120));
    light.setColorAt(0.45, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(0, 0, 0, 70));
    p.setBrush(light);
    p.drawRect(body);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    // The collar where the rod enters the body.
    p.setBrush(steel);
    p.drawEllipse(QPointF(s * 0.5, s * 0.35), s * 0.075, s * 0.03);
}

} // namespace

bool isDrawnThing(char32_t codePoint) { return codePoint == kSpinningTop; }

QImage paintDrawnThing(char32_t codePoint, int side)
{
    if (!isDrawnThing(codePoint))
        throw Exception("No drawing for this picture");
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSpinningTop(painter, side);
    painter.end();
    return image;
}

} // namespace content
