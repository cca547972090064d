// Adapting a stored layout to the screen's density. Layouts are designed at
// 120 dots per inch; on another density every control is scaled by the ratio
// of the window font's text heights, the far edges scaled rather than the
// sizes so that touching controls stay touching.
#pragma once

#include <QRect>

namespace density {

constexpr int kDesignPixelsPerInch = 120;

// a × b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);
// The bounds scaled by m/n: Left and Top scaled, Width and Height from the scaled far edges.
QRect scaleBounds(QRect bounds, int m, int n);
// A control's own font height (character pixels) scaled by m/n through its point size at `dpi`.
int scaleFontHeight(int height, int m, int n, int dpi);

} // namespace density
