// Writes 4-bit device-independent bitmaps: a bitmap file for a button glyph
// and an icon file holding several images with their transparency masks.
// Both store rows bottom-up, two pixels a byte with the left one in the high
// nibble, each row padded to four bytes. Drawing the maps is left to others.
#pragma once

#include "tools/artwork/palette16.h"
#include "tools/artwork/pixel_map.h"

#include <QByteArray>
#include <vector>

namespace artwork {

// A bitmap file ("BM", file header, 40-byte information header, 16-colour
// palette, pixel rows). Transparent pixels of the map are stored as `transparentAs`.
QByteArray bitmapFile(const PixelMap& map, const Palette16& palette, Colour16 transparentAs);

// An icon file: directory, one entry per image, then each image as an
// information header with doubled height, palette, colour rows and a 1-bit
// AND mask (1 where the map is transparent, where the colour bits are black).
QByteArray iconFile(const std::vector<PixelMap>& images, const Palette16& palette);

} // namespace artwork
