// Pixel-exact drawing for the player's button bar. It offers the few primitives
// the bar is drawn with (framed and filled rectangles, axis-parallel lines that
// leave out their end point, a bitmap copy with one transparent colour, and a
// dotted inverting focus rectangle) directly on the pixels of an RGB32 image,
// so that every pixel the bar shows is known. Drawing outside the image is clipped.
// Rectangles take left and top included, right and bottom excluded.
#pragma once

#include <QColor>
#include <QImage>

class BarCanvas {
public:
    // The image must be in QImage::Format_RGB32; the canvas draws into it.
    explicit BarCanvas(QImage& image);

    // The outline of the rectangle only (a clear brush).
    void frameRect(int left, int top, int right, int bottom, const QColor& pen);
    // The rectangle filled with `brush` and outlined with `pen`.
    void rectangle(int left, int top, int right, int bottom, const QColor& pen, const QColor& brush);
    // A horizontal or vertical line from (x1, y1) towards (x2, y2), without the end point.
    void line(int x1, int y1, int x2, int y2, const QColor& pen);
    // Copies the glyph with its top-left corner at (x, y), leaving pixels of the
    // transparent colour as they were.
    void drawTransparent(int x, int y, const QImage& glyph, const QColor& transparent);
    // Inverts every other pixel of the rectangle's outline, starting at its top-left corner.
    void focusRect(int left, int top, int right, int bottom);

private:
    void fill(int left, int top, int right, int bottom, QRgb color);
    void invert(int x, int y);
    QImage& m_image;
};
