// The two figures in the middle of the title picture: a small child lying on
// its tummy with its chin in its hands, and a large silver robot dog lying
// beside it with its head up. Each is drawn into a box keeping its own
// proportions (child 130 x 70, dog 200 x 120 design units).
#pragma once

#include <QPainter>
#include <QRectF>
#include <QSizeF>

namespace artwork {

inline constexpr QSizeF kChildDesign(130, 70);
inline constexpr QSizeF kRobotDogDesign(200, 120);

void drawLyingChild(QPainter& p, const QRectF& box);
void drawRobotDog(QPainter& p, const QRectF& box);

} // namespace artwork
