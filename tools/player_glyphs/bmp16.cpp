#include "tools/player_glyphs/bmp16.h"

#include <array>

namespace bmp16 {

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr std::array<Rgb, 16> palette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {128, 128, 128},
    {192, 192, 192},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

std::vector<std::uint8_t> encode(const IndexedImage& image)
{
    const std::uint32_t rowBytes = ((std::uint32_t(image.width) * 4 + 31) / 32) * 4;
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(image.height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;

    std::vector<std::uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);

    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(image.width));
    put32(out, std::uint32_t(image.height)); // positive: rows stored bottom to top
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, 0); // uncompressed
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16); // colours used
    put32(out, 0); // all colours important

    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }

    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)] & 0x0F;
            row[std::size_t(x) / 2] |= (x % 2 == 0) ? std::uint8_t(index << 4) : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace bmp16
