#include "tools/artwork/dib_writer.h"

#include "tools/artwork/artwork_error.h"

#include <cstdint>

namespace artwork {

namespace {

// Size of the bitmap file header and of the information header.
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Sixteen palette entries of four bytes (blue, green, red, reserved).
constexpr int kPaletteSize = 16 * 4;
// Icon directory header and one directory entry.
constexpr int kIconDirSize = 6;
constexpr int kIconEntrySize = 16;

void put16(QByteArray& out, std::uint32_t value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

int rowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void putInfoHeader(QByteArray& out, int width, int storedHeight, std::uint32_t imageSize)
{
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(storedHeight));
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, 0); // no compression
    put32(out, imageSize);
    put32(out, 0); // horizontal resolution: not given
    put32(out, 0); // vertical resolution: not given
    put32(out, 0); // colours used: all sixteen
    put32(out, 0); // important colours: all
}

void putPalette(QByteArray& out, const Palette16& palette)
{
    for (QRgb c : palette.rgb) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
}

void putColourRows(QByteArray& out, const PixelMap& map, const Palette16& palette, Colour16 transparentAs)
{
    const int stride = rowBytes(map.width(), 4);
    for (int y = map.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < map.width(); ++x) {
            const Colour16 c = map.isOpaque(x, y) ? map.colour(x, y) : transparentAs;
            const int index = palette.indexOf(c);
            char& byte = row[x / 2];
            byte = static_cast<char>(static_cast<unsigned char>(byte) | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(row);
    }
}

void putMaskRows(QByteArray& out, const PixelMap& map)
{
    const int stride = rowBytes(map.width(), 1);
    for (int y = map.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < map.width(); ++x) {
            if (!map.isOpaque(x, y))
                row[x / 8] = static_cast<char>(static_cast<unsigned char>(row[x / 8]) | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
}

} // namespace

QByteArray bitmapFile(const PixelMap& map, const Palette16& palette, Colour16 transparentAs)
{
    const auto imageSize = static_cast<std::uint32_t>(rowBytes(map.width(), 4) * map.height());
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    QByteArray out;
    out.append("BM");
    put32(out, offset + imageSize);
    put32(out, 0); // two reserved words
    put32(out, offset);
    putInfoHeader(out, map.width(), map.height(), imageSize);
    putPalette(out, palette);
    putColourRows(out, map, palette, transparentAs);
    return out;
}

QByteArray iconFile(const std::vector<PixelMap>& images, const Palette16& palette)
{
    QByteArray directory;
    QByteArray bodies;
    put16(directory, 0); // reserved
    put16(directory, 1); // resource type: icon
    put16(directory, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
    for (const PixelMap& map : images) {
        if (map.width() > 255 || map.height() > 255)
            throw EArtworkError("icon image too large for its directory entry");
        const auto colourSize = static_cast<std::uint32_t>(rowBytes(map.width(), 4) * map.height());
        const auto maskSize = static_cast<std::uint32_t>(rowBytes(map.width(), 1) * map.height());
        QByteArray body;
        putInfoHeader(body, map.width(), map.height() * 2, colourSize + maskSize);
        putPalette(body, palette);
        putColourRows(body, map, palette, Colour16::Black);
        putMaskRows(body, map);

        directory.append(static_cast<char>(map.width()));
        directory.append(static_cast<char>(map.height()));
        directory.append(static_cast<char>(16)); // colours in the palette
        directory.append('\0'); // reserved
        put16(directory, 1); // planes
        put16(directory, 4); // bits per pixel
        put32(directory, static_cast<std::uint32_t>(body.size()));
        put32(directory, offset);
        offset += static_cast<std::uint32_t>(body.size());
        bodies.append(body);
    }
    return directory + bodies;
}

} // namespace artwork
