#include "tools/player_glyphs/glyph_art.h"

#include <algorithm>
#include <functional>

namespace {

using Colour = artwork::Colour16;

// The shape of a glyph: which pixels belong to the symbol.
class Mask {
public:
    Mask(int width, int height) : m_width(width), m_height(height), m_bits(std::size_t(width * height), false) {}
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_bits[std::size_t(y * m_width + x)];
    }
    void set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_bits[std::size_t(y * m_width + x)] = true;
    }
    void box(int left, int top, int width, int height)
    {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                set(x, y);
    }
    // Pointing right: the base is the column `left`, the tip half way down.
    void triangleRight(int left, int top, int rows)
    {
        for (int i = 0; i < rows; ++i)
            for (int x = left; x <= left + std::min(i, rows - 1 - i); ++x)
                set(x, top + i);
    }
    // Pointing left: the base is the column `right`.
    void triangleLeft(int right, int top, int rows)
    {
        for (int i = 0; i < rows; ++i)
            for (int x = right - std::min(i, rows - 1 - i); x <= right; ++x)
                set(x, top + i);
    }
    // Pointing up: the tip is (centre, top), each row one pixel wider on both sides.
    void triangleUp(int centre, int top, int rows)
    {
        for (int j = 0; j < rows; ++j)
            for (int x = centre - j; x <= centre + j; ++x)
                set(x, top + j);
    }
    void disc(int cx, int cy, int radiusSquared)
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radiusSquared)
                    set(x, y);
    }

private:
    int m_width;
    int m_height;
    std::vector<bool> m_bits;
};

class Canvas {
public:
    Canvas(int width, int height) : m_image(width, height)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                m_image.set(x, y, Colour::Olive);
    }
    void put(int x, int y, Colour colour)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.set(x, y, colour);
    }
    // The mask's pixels in one colour, moved by (dx, dy).
    void paint(const Mask& mask, Colour colour, int dx = 0, int dy = 0)
    {
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                if (mask.at(x, y))
                    put(x + dx, y + dy, colour);
    }
    const artwork::PixelMap& image() const { return m_image; }

private:
    artwork::PixelMap m_image;
};

enum class Look { Plain, Disabled, Colored };

// The Play look: pixels on the upper or left border of the shape grey, those on
// its lower or right border white, the inside in `fill` (olive leaves it open).
artwork::PixelMap edged(const Mask& mask, Colour fill)
{
    Canvas canvas(mask.width(), mask.height());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            if (!mask.at(x, y))
                continue;
            const bool upperLeft = !mask.at(x - 1, y) || !mask.at(x, y - 1);
            const bool lowerRight = !mask.at(x + 1, y) || !mask.at(x, y + 1);
            canvas.put(x, y, upperLeft ? Colour::Grey : lowerRight ? Colour::White : fill);
        }
    return canvas.image();
}

// The other buttons: plain is the solid black shape; disabled a grey shape over
// its white copy one pixel down and right; coloured the shape in its colour over
// a black copy one pixel down and right.
artwork::PixelMap shaded(const Mask& mask, Look look, Colour colour)
{
    Canvas canvas(mask.width(), mask.height());
    switch (look) {
    case Look::Plain: canvas.paint(mask, Colour::Black); break;
    case Look::Disabled:
        canvas.paint(mask, Colour::White, 1, 1);
        canvas.paint(mask, Colour::Grey);
        break;
    case Look::Colored:
        canvas.paint(mask, Colour::Black, 1, 1);
        canvas.paint(mask, colour);
        break;
    }
    return canvas.image();
}

struct ButtonArt {
    const char* part;
    int width, height;
    int disabledWidth; // the disabled look of the pause button is one pixel narrower
    Colour colour;
    std::function<void(Mask&)> shape;
};

std::vector<ButtonArt> buttonArt()
{
    return {
        {"MPPLAY", 17, 16, 17, Colour::Lime, [](Mask& m) { m.triangleRight(5, 1, 14); }},
        {"MPPAUSE", 13, 16, 12, Colour::Aqua,
         [](Mask& m) {
             m.box(3, 2, 3, 12);
             m.box(7, 2, 3, 12);
         }},
        {"MPSTOP", 17, 16, 17, Colour::Red, [](Mask& m) { m.box(4, 3, 9, 9); }},
        {"MPNEXT", 21, 16, 21, Colour::Yellow,
         [](Mask& m) {
             m.triangleRight(4, 3, 10);
             m.triangleRight(9, 3, 10);
             m.box(15, 3, 2, 10);
         }},
        {"MPPREV", 20, 16, 20, Colour::Yellow,
         [](Mask& m) {
             m.box(3, 3, 2, 10);
             m.triangleLeft(10, 3, 10);
             m.triangleLeft(15, 3, 10);
         }},
        {"MPSTEP", 21, 16, 21, Colour::Aqua,
         [](Mask& m) {
             m.triangleRight(6, 2, 12);
             m.box(13, 2, 2, 12);
         }},
        {"MPBACK", 21, 16, 21, Colour::Aqua,
         [](Mask& m) {
             m.box(6, 2, 2, 12);
             m.triangleLeft(14, 2, 12);
         }},
        {"MPRECORD", 13, 13, 13, Colour::Red, [](Mask& m) { m.disc(6, 6, 17); }},
        {"MPEJECT", 19, 16, 19, Colour::Blue,
         [](Mask& m) {
             m.triangleUp(9, 2, 7);
             m.box(3, 10, 13, 3);
         }},
    };
}

artwork::PixelMap drawLook(const ButtonArt& art, Look look)
{
    Mask mask(look == Look::Disabled ? art.disabledWidth : art.width, art.height);
    art.shape(mask);
    if (std::string(art.part) == "MPPLAY") {
        const Colour fill = look == Look::Plain ? Colour::Black : look == Look::Colored ? Colour::Lime : Colour::Olive;
        return edged(mask, fill);
    }
    return shaded(mask, look, art.colour);
}

} // namespace

std::vector<NamedGlyph> drawPlayerGlyphs()
{
    std::vector<NamedGlyph> glyphs;
    for (const ButtonArt& art : buttonArt()) {
        glyphs.push_back({std::string("EN_") + art.part, drawLook(art, Look::Plain)});
        glyphs.push_back({std::string("DI_") + art.part, drawLook(art, Look::Disabled)});
        glyphs.push_back({std::string("CL_") + art.part, drawLook(art, Look::Colored)});
    }
    return glyphs;
}
