// The application's main icon: an open ring-bound notebook with lines of
// blue text on its right-hand page and a round clock face at the top right.
// The 32 x 32 and 16 x 16 images are designed pixel by pixel in the icon's
// sixteen colours; the large rendering for desktop menus is drawn smoothly
// from the same design.
#pragma once

#include "tools/artwork/pixel_map.h"

#include <QImage>

namespace artwork {

PixelMap mainIcon32();
PixelMap mainIcon16();
// A smooth rendering of the same design for desktop entries, `size` pixels square.
QImage mainIconLarge(int size);

} // namespace artwork
