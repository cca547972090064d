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

const Palette16& glyphPalette()
{
    using C = Colour16;
    static const Palette16 palette{{C::Black, C::Maroon, C::Green, C::Olive, C::Navy, C::Purple, C::Teal, C::Grey,
                                    C::Silver, C::Red, C::Lime, C::Yellow, C::Blue, C::Fuchsia, C::Aqua, C::White},
                                   {qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(0, 0, 128),
                                    qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(127, 127, 127), qRgb(191, 191, 191),
                                    qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255),
                                    qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)}};
    return palette;
}

const Palette16& iconPalette()
{
    using C = Colour16;
    static const Palette16 palette{{C::Black, C::Maroon, C::Green, C::Olive, C::Navy, C::Purple, C::Teal, C::Silver,
                                    C::Grey, C::Red, C::Lime, C::Yellow, C::Blue, C::Fuchsia, C::Aqua, C::White},
                                   {qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0), qRgb(0, 0, 128),
                                    qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192), qRgb(128, 128, 128),
                                    qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0), qRgb(0, 0, 255),
                                    qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)}};
    return palette;
}

} // namespace artwork
