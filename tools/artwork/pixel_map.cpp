#include "tools/artwork/pixel_map.h"

#include "tools/artwork/artwork_error.h"

#include <string>

namespace artwork {

namespace {

bool colourOfCharacter(char c, int x, int y, Colour16& colour)
{
    using C = Colour16;
    switch (c) {
    case 'K': colour = C::Black; return true;
    case 'M': colour = C::Maroon; return true;
    case 'G': colour = C::Green; return true;
    case 'O': colour = C::Olive; return true;
    case 'N': colour = C::Navy; return true;
    case 'P': colour = C::Purple; return true;
    case 'T': colour = C::Teal; return true;
    case 'g': colour = C::Grey; return true;
    case 's': colour = C::Silver; return true;
    case 'R': colour = C::Red; return true;
    case 'L': colour = C::Lime; return true;
    case 'Y': colour = C::Yellow; return true;
    case 'B': colour = C::Blue; return true;
    case 'F': colour = C::Fuchsia; return true;
    case 'A': colour = C::Aqua; return true;
    case 'W': colour = C::White; return true;
    case 'c': colour = (x + y) % 2 == 0 ? C::Yellow : C::White; return true;
    default: return false;
    }
}

} // namespace

PixelMap::PixelMap(int width, int height)
    : m_width(width), m_height(height), m_colours(static_cast<std::size_t>(width * height), Colour16::Olive),
      m_opaque(static_cast<std::size_t>(width * height), false)
{}

PixelMap PixelMap::fromRows(std::initializer_list<std::string_view> rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows.begin()->size());
    PixelMap map(width, height);
    int y = 0;
    for (std::string_view row : rows) {
        if (static_cast<int>(row.size()) != width)
            throw EArtworkError("pixel map row " + std::to_string(y) + " has the wrong length");
        for (int x = 0; x < width; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            Colour16 colour{};
            if (c == '.')
                continue;
            if (!colourOfCharacter(c, x, y, colour))
                throw EArtworkError(std::string("unknown pixel map character '") + c + "'");
            map.set(x, y, colour);
        }
        ++y;
    }
    return map;
}

std::size_t PixelMap::index(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        throw EArtworkError("pixel outside the map");
    return static_cast<std::size_t>(y * m_width + x);
}

void PixelMap::set(int x, int y, Colour16 colour)
{
    const std::size_t i = index(x, y);
    m_colours[i] = colour;
    m_opaque[i] = true;
}

void PixelMap::clear(int x, int y)
{
    const std::size_t i = index(x, y);
    m_colours[i] = Colour16::Olive;
    m_opaque[i] = false;
}

void PixelMap::paste(const PixelMap& source, int left, int top)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (source.isOpaque(x, y))
                set(left + x, top + y, source.colour(x, y));
            else
                clear(left + x, top + y);
        }
    }
}

QImage PixelMap::toImage(const Palette16& palette) const
{
    QImage image(m_width, m_height, QImage::Format_ARGB32);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x)
            image.setPixel(x, y, isOpaque(x, y) ? palette.rgbOf(colour(x, y)) : qRgba(0, 0, 0, 0));
    }
    return image;
}

} // namespace artwork
