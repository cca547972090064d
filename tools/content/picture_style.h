// The look shared by the bundled pictures: their size, a small palette of
// friendly colours, the soft background and the big outlined letters. The
// letter and welcome painters compose pages from these; the pictures of
// things come from the emoji painter.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QSize>
#include <QString>

class QPainter;
class QRectF;

namespace content {

// The size of the program's own pictures: inside the main window's picture
// area (614 × 443) with a margin, so a page picture always shows whole.
constexpr QSize kPictureSize(592, 419);

struct Palette {
    QColor skyTop; // background at the top
    QColor skyBottom; // background at the bottom
    QColor strong; // the letter: dark enough to read on white
};

// The palette for the n-th page; neighbouring letters get different colours.
const Palette& paletteFor(int index);

// The bold sans-serif face the letters are drawn in, at a pixel size.
QFont letterFont(int pixelSize);

// Fills the whole picture with the palette's gradient and a few soft bubbles
// placed by the seed, so every page looks a little different but is the same
// on every build.
void paintBackground(QPainter& painter, const Palette& palette, int seed);

// The outline of a text, moved so that its visible ink is centred on the point.
QPainterPath centredTextPath(const QFont& font, const QString& text, QPointF centre);

// Fills a shape with a soft shadow below it and an outline around it.
void paintRaised(QPainter& painter, const QPainterPath& shape, const QColor& fill, const QColor& outline,
                 qreal outlineWidth);

// A white rounded card with a shadow, to set a letter or a word on.
void paintCard(QPainter& painter, const QRectF& rect, qreal radius, int alpha = 255);

} // namespace content
