// A small hand-drawn bitmap in the sixteen named colours, with a per-pixel
// transparency flag. Glyphs and icons are written as rows of characters, one
// character a pixel, so that their design can be read in the source; the
// writers decide how transparency is stored (the glyphs' olive, the icon's mask).
#pragma once

#include "tools/artwork/palette16.h"

#include <QImage>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace artwork {

class PixelMap {
public:
    PixelMap(int width, int height);

    // Parses rows of equal length. Characters: '.' transparent, K black,
    // M maroon, G green, O olive, N navy, P purple, T teal, g grey, s silver,
    // R red, L lime, Y yellow, B blue, F fuchsia, A aqua, W white, and c for a
    // yellow-and-white checker (yellow where x + y is even).
    static PixelMap fromRows(std::initializer_list<std::string_view> rows);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isOpaque(int x, int y) const { return m_opaque[index(x, y)]; }
    Colour16 colour(int x, int y) const { return m_colours[index(x, y)]; }
    void set(int x, int y, Colour16 colour);
    void clear(int x, int y);

    // Copies another map into this one with its top-left corner at (left, top).
    void paste(const PixelMap& source, int left, int top);

    // A true-colour picture of the map in the given palette; transparent
    // pixels become fully transparent.
    QImage toImage(const Palette16& palette) const;

private:
    std::size_t index(int x, int y) const;

    int m_width;
    int m_height;
    std::vector<Colour16> m_colours;
    std::vector<bool> m_opaque;
};

} // namespace artwork
