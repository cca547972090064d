// The small everyday things that stand beside the title picture's letters: a
// house, a fir tree, a cat with a ball of yarn, a sock, a watermelon slice,
// an umbrella, a drum and an iron. Each is drawn into a given box (designed
// in a 100 x 100 square) with its own ground shadow; where the box goes is
// the layout's business.
#pragma once

#include <QPainter>
#include <QRectF>

namespace artwork {

void drawHouse(QPainter& p, const QRectF& box);
void drawFirTree(QPainter& p, const QRectF& box);
void drawCatWithYarn(QPainter& p, const QRectF& box);
void drawSock(QPainter& p, const QRectF& box);
void drawWatermelon(QPainter& p, const QRectF& box);
void drawUmbrella(QPainter& p, const QRectF& box);
void drawDrum(QPainter& p, const QRectF& box);
void drawIron(QPainter& p, const QRectF& box);

} // namespace artwork
