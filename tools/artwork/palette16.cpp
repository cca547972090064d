#include "tools/artwork/palette16.h"

#include "tools/artwork/artwork_error.h"

namespace artwork {

int Palette16::indexOf(Colour16 colour) const
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == colour)
            return static_cast<int>(i);
    }
    throw EArtworkError("colour missing from palette");
}

namespace {

// The three palettes differ only at indices 7 and 8: which grey comes first,
// and its exact channel value.
struct Grey {
    Colour16 name;
    int value;
};

Palette16 paletteWithGreys(Grey atSeven, Grey atEight)
{
    using C = Colour16;
    const QRgb first = qRgb(atSeven.value, atSeven.value, atSeven.value);
    const QRgb second = qRgb(atEight.value, atEight.value, atEight.value);
    return {{C::Black, C::Maroon, C::Green, C::Olive, C::Navy, C::Purple, C::Teal, atSeven.name, atEight.name, C::Red,
             C::Lime, C::Yellow, C::Blue, C::Fuchsia, C::Aqua, C::White},
            {qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(0, 0, 128), qRgb(128, 0, 128),
             qRgb(0, 128, 128), first, second, qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255),
             qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)}};
}

} // namespace

const Palette16& glyphPalette()
{
    static const Palette16 palette = paletteWithGreys({Colour16::Grey, 127}, {Colour16::Silver, 191});
    return palette;
}

const Palette16& iconPalette()
{
    static const Palette16 palette = paletteWithGreys({Colour16::Silver, 192}, {Colour16::Grey, 128});
    return palette;
}

const Palette16& playerGlyphPalette()
{
    static const Palette16 palette = paletteWithGreys({Colour16::Grey, 128}, {Colour16::Silver, 192});
    return palette;
}

} // namespace artwork
