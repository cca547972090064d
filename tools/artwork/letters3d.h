// Large toy-like capital letters for the title picture: a font outline made
// rounder by growing it, extruded towards the lower right with a darker side
// face, a shaded front with a glossy highlight, dark outlines and a soft
// shadow on the ground. Placing the letters is left to the picture's layout.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

struct LetterStyle {
    QColor light; // top of the front face
    QColor base; // bottom of the front face
    QColor side; // the extruded side face
    QColor outline; // edges
};

LetterStyle redLetter();
LetterStyle blueLetter();

// The outline of `letter` with its baseline's left end at `origin`, grown by `grow` pixels.
QPainterPath letterShape(QChar letter, const QFont& font, QPointF origin, double grow);

// Draws an extruded letter: `depth` one-pixel steps of `step` each.
void drawExtrudedLetter(QPainter& p, const QPainterPath& front, const LetterStyle& style, QPointF step, int depth);

} // namespace artwork
