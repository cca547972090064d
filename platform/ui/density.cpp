#include "platform/ui/density.h"

#include <cstdint>

namespace density {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    std::int64_t absProduct = product < 0 ? -product : product;
    const std::int64_t absDivisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t rounded = (absProduct + absDivisor / 2) / absDivisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

QRect scaleBounds(QRect bounds, int m, int n)
{
    const int left = MulDiv(bounds.x(), m, n);
    const int top = MulDiv(bounds.y(), m, n);
    const int width = MulDiv(bounds.x() + bounds.width(), m, n) - left;
    const int height = MulDiv(bounds.y() + bounds.height(), m, n) - top;
    return {left, top, width, height};
}

int scaleFontHeight(int height, int m, int n, int dpi)
{
    // The stored (negative) height's point size is scaled and turned back into pixels.
    const int pointSize = -MulDiv(-height, 72, dpi);
    const int scaledPoints = MulDiv(pointSize, m, n);
    return MulDiv(scaledPoints, dpi, 72);
}

} // namespace density
