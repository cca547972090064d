// Small painting aids shared by the title picture's parts: a soft blurred
// shadow under a shape, a local 100 x 100 drawing box, and pens with round
// ends. Everything here is deterministic integer or Qt raster work, so that
// the same build draws the same pixels on every run.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

namespace artwork {

// Paints `shape` moved by `offset` device pixels as a blurred shadow of `colour` (its
// alpha is the shadow's strength) with a box-blur radius of `radius` pixels.
void drawSoftShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int radius, QColor colour);

// Maps the 100 x 100 design square of a small drawing onto `box` (saved and
// restored by the caller's QPainter save/restore).
void enterDesignBox(QPainter& p, const QRectF& box);
// The same for a design of any size.
void enterDesignSpace(QPainter& p, const QRectF& box, QSizeF design);

// A solid pen with round caps and joins.
QPen roundPen(QColor colour, double width);

// A colour darker or lighter by the given factor (100 = unchanged), like QColor's.
inline QColor shade(QColor colour, int factor)
{
    return factor >= 100 ? colour.lighter(factor) : colour.darker(10000 / factor);
}

} // namespace artwork
