// Writes a 16-colour (4 bits per pixel) uncompressed device-independent bitmap
// file from palette indices. The palette is the standard 16-colour one, so an
// index names the same colour in every glyph. Nothing else about bitmaps is here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bmp16 {

// Indices into the standard palette.
enum Colour : std::uint8_t {
    Black,
    Maroon,
    Green,
    Olive,
    Navy,
    Purple,
    Teal,
    Grey,
    Silver,
    Red,
    Lime,
    Yellow,
    Blue,
    Fuchsia,
    Aqua,
    White
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // palette indices, rows top to bottom
};

// The bytes of the bitmap file: file header, info header, 16 palette entries,
// rows bottom to top, two pixels per byte (high nibble first), rows padded to 4 bytes.
std::vector<std::uint8_t> encode(const IndexedImage& image);

} // namespace bmp16
