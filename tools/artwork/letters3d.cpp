#include "tools/artwork/letters3d.h"

#include "tools/artwork/drawing_helpers.h"

#include <QLinearGradient>
#include <QPainterPathStroker>

namespace artwork {

namespace {

// Shadow of a letter on the white ground: offset, blur and strength.
constexpr QPointF kShadowOffset(7, 7);
constexpr int kShadowBlur = 3;
constexpr int kShadowAlpha = 70;
// Pen widths of the silhouette and of the front edge.
constexpr double kSilhouetteWidth = 2.4;
constexpr double kFrontEdgeWidth = 2.0;

} // namespace

LetterStyle redLetter() { return {QColor(255, 112, 96), QColor(222, 24, 24), QColor(150, 8, 12), QColor(90, 0, 6)}; }

LetterStyle blueLetter()
{
    return {QColor(110, 160, 255), QColor(24, 70, 220), QColor(12, 34, 140), QColor(4, 14, 80)};
}

QPainterPath letterShape(QChar letter, const QFont& font, QPointF origin, double grow)
{
    QPainterPath glyph;
    glyph.addText(origin, font, QString(letter));
    glyph.setFillRule(Qt::WindingFill);
    if (grow <= 0)
        return glyph.simplified();
    QPainterPathStroker stroker;
    stroker.setWidth(2 * grow);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    return glyph.united(stroker.createStroke(glyph)).simplified();
}

void drawExtrudedLetter(QPainter& p, const QPainterPath& front, const LetterStyle& style, QPointF step, int depth)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = front.boundingRect();

    QPainterPath body = front;
    body.addPath(front.translated(step * depth));
    body.setFillRule(Qt::WindingFill);
    drawSoftShadow(p, body, kShadowOffset, kShadowBlur, QColor(40, 40, 60, kShadowAlpha));

    // The side face: layers from the back forward, each outlined, so that only
    // the silhouette of the whole extrusion keeps a dark edge.
    QLinearGradient sideShade(box.topLeft(), box.bottomRight() + step * depth);
    sideShade.setColorAt(0, shade(style.side, 125));
    sideShade.setColorAt(1, shade(style.side, 80));
    const QPen silhouette = roundPen(style.outline, kSilhouetteWidth);
    for (int i = depth; i >= 1; --i) {
        const QPainterPath layer = front.translated(step * i);
        p.strokePath(layer, silhouette);
    }
    for (int i = depth; i >= 1; --i)
        p.fillPath(front.translated(step * i), sideShade);

    // The front face.
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0, style.light);
    face.setColorAt(0.45, style.base);
    face.setColorAt(1, shade(style.base, 85));
    p.fillPath(front, face);

    // A soft bevel: light along the upper-left edges, inside the face.
    p.save();
    p.setClipPath(front);
    p.strokePath(front.translated(1.6, 1.6), roundPen(QColor(255, 255, 255, 110), 2.2));
    // Gloss on the upper part.
    QLinearGradient gloss(box.topLeft(), QPointF(box.left(), box.top() + box.height() * 0.5));
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath glossArea;
    glossArea.addEllipse(QRectF(box.left() - box.width() * 0.3, box.top() - box.height() * 0.55, box.width() * 1.6,
                                box.height() * 0.95));
    p.fillPath(glossArea, gloss);
    p.restore();

    p.strokePath(front, roundPen(style.outline, kFrontEdgeWidth));
    p.restore();
}

} // namespace artwork
