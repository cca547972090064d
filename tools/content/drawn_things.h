// Pictures of things the colour emoji font has no picture for, drawn in its
// flat, soft style. Each has a code point in the private use area, so the
// alphabet names every picture the same way and the emoji painter can hand
// these over to be drawn here.
#pragma once

#include <QImage>

namespace content {

// A spinning top, the kind a child winds up by pumping its handle.
constexpr char32_t kSpinningTop = U'\U000F0001';

bool isDrawnThing(char32_t codePoint);

// The picture on a transparent square of the given side.
QImage paintDrawnThing(char32_t codePoint, int side);

} // namespace content
