// The sixteen named colours of the program's 4-bit bitmaps and the orders in
// which they are stored: the main window's button glyphs keep their own order
// (grey before silver, with 127 and 191 as channel values), the player's
// glyphs the same order with 128 and 192, the icon the standard 16-colour order. Drawing code names colours; only the
// writers turn a name into a palette index.
#pragma once

#include <QRgb>
#include <array>
#include <cstdint>

namespace artwork {

enum class Colour16 : std::uint8_t {
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

// One palette: sixteen colours in stored order, each with the name it stands for.
struct Palette16 {
    std::array<Colour16, 16> names;
    std::array<QRgb, 16> rgb;

    // The stored index of a named colour.
    int indexOf(Colour16 colour) const;
    QRgb rgbOf(Colour16 colour) const { return rgb[static_cast<std::size_t>(indexOf(colour))]; }
};

// The button glyphs' palette.
const Palette16& glyphPalette();
// The main icon's palette (the standard order: silver 192 before grey 128).
const Palette16& iconPalette();
// The player's button glyphs' palette (grey 128 before silver 192).
const Palette16& playerGlyphPalette();

} // namespace artwork
