// The speed-button glyphs and the main icon as committed: their exact header
// fields, palettes, transparency and the colours their designs are made of.
#include "tests/tools/artwork/resource_bytes.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <set>

using namespace artwork_test;

namespace {

// Palette indices of the glyphs' stored order.
enum : int {
    Black = 0,
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

constexpr std::array<QRgb, 16> kGlyphPalette = {
    qRgb(0, 0, 0),     qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),  qRgb(0, 0, 128), qRgb(128, 0, 128),
    qRgb(0, 128, 128), qRgb(127, 127, 127), qRgb(191, 191, 191), qRgb(255, 0, 0),    qRgb(0, 255, 0), qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};

// The glyph file's pixel index at (x, y), y counted from the top.
int glyphPixel(const QByteArray& file, int x, int y)
{
    const int bitmap = 4; // after the stream's length field
    const int offset = static_cast<int>(le32(file, bitmap + 10));
    const int row = 15 - y; // rows are stored bottom-up
    const std::uint8_t byte = byteAt(file, bitmap + offset + row * 16 + x / 2);
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

struct GlyphCase {
    const char* name;
    std::vector<int> coloursOfDesign; // colours the description names for the left cell
};

void PrintTo(const GlyphCase& glyph, std::ostream* out) { *out << glyph.name; }

class GlyphFile : public ::testing::TestWithParam<GlyphCase> {};

bool isDark(int index)
{
    static const std::set<int> dark = {Black, Maroon, Green, Navy, Purple, Teal, Grey, Red, Blue, Fuchsia};
    return dark.count(index) != 0;
}

} // namespace

// Every glyph is a length-prefixed 374-byte 32 x 16 4-bit bitmap file with the fixed palette order.
TEST_P(GlyphFile, HeaderAndPaletteAreExact)
{
    const QByteArray file = committedFile(QStringLiteral("windows/resources/glyphs/%1.glyph").arg(GetParam().name));
    ASSERT_EQ(file.size(), 378);
    EXPECT_EQ(le32(file, 0), 374u);
    const QByteArray bmp = file.mid(4);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(bmp, 2), 374u);
    EXPECT_EQ(le32(bmp, 6), 0u);
    EXPECT_EQ(le32(bmp, 10), 118u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(le32(bmp, 18)), 32);
    EXPECT_EQ(static_cast<std::int32_t>(le32(bmp, 22)), 16) << "positive height: bottom-up rows";
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 4u);
    EXPECT_EQ(le32(bmp, 30), 0u);
    EXPECT_EQ(le32(bmp, 34), 256u);
    for (int i = 0; i < 16; ++i) {
        const int at = 54 + 4 * i;
        EXPECT_EQ(qRgb(byteAt(bmp, at + 2), byteAt(bmp, at + 1), byteAt(bmp, at)),
                  kGlyphPalette[static_cast<std::size_t>(i)])
            << "palette entry " << i;
        EXPECT_EQ(byteAt(bmp, at + 3), 0u);
    }
}

// The left cell carries the described design on an olive ground, with olive at the bottom-left pixel.
TEST_P(GlyphFile, LeftCellShowsTheDesignOnTransparentOlive)
{
    const QByteArray file = committedFile(QStringLiteral("windows/resources/glyphs/%1.glyph").arg(GetParam().name));
    ASSERT_EQ(file.size(), 378);
    EXPECT_EQ(glyphPixel(file, 0, 15), Olive) << "the transparent colour is taken from the bottom-left pixel";
    std::set<int> used;
    int drawn = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int c = glyphPixel(file, x, y);
            used.insert(c);
            drawn += c != Olive ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 60);
    EXPECT_GT(256 - drawn, 10) << "some button face shows round the design";
    for (int colour : GetParam().coloursOfDesign)
        EXPECT_TRUE(used.count(colour)) << "colour index " << colour << " missing";
}

// The right cell is the disabled look: the left cell's dark outline in grey, lit in white, nothing else.
TEST_P(GlyphFile, RightCellEmbossesTheOutlineInGreyAndWhite)
{
    const QByteArray file = committedFile(QStringLiteral("windows/resources/glyphs/%1.glyph").arg(GetParam().name));
    ASSERT_EQ(file.size(), 378);
    int grey = 0;
    int white = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int normal = glyphPixel(file, x, y);
            const int disabled = glyphPixel(file, 16 + x, y);
            ASSERT_TRUE(disabled == Grey || disabled == White || disabled == Olive) << x << "," << y;
            EXPECT_EQ(disabled == Grey, isDark(normal)) << x << "," << y;
            grey += disabled == Grey ? 1 : 0;
            white += disabled == White ? 1 : 0;
        }
    }
    EXPECT_GT(grey, 20);
    EXPECT_GT(white, 10);
}

INSTANTIATE_TEST_SUITE_P(SpeedButtons, GlyphFile,
                         ::testing::Values(GlyphCase{"sbHelp", {Red, Yellow, White}},
                                           GlyphCase{"SpeedButton1", {Red, Yellow, White, Black, Blue}},
                                           GlyphCase{"btnDir", {White, Red, Black}},
                                           GlyphCase{"SpeedButton2", {Red, Black}}),
                         [](const ::testing::TestParamInfo<GlyphCase>& info) { return std::string(info.param.name); });

namespace {

// Decodes one image of the icon file to ARGB from its DIB and AND mask.
QImage iconImage(const QByteArray& ico, int offset, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    const int palette = offset + 40;
    const int colours = palette + 64;
    const int colourStride = ((size * 4 + 31) / 32) * 4;
    const int masks = colours + colourStride * size;
    const int maskStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        const int row = size - 1 - y;
        for (int x = 0; x < size; ++x) {
            const std::uint8_t byte = byteAt(ico, colours + row * colourStride + x / 2);
            const int index = x % 2 == 0 ? byte >> 4 : byte & 0x0F;
            const bool transparent = (byteAt(ico, masks + row * maskStride + x / 8) >> (7 - x % 8)) & 1;
            const int p = palette + 4 * index;
            image.setPixel(
                x, y, transparent ? qRgba(0, 0, 0, 0) : qRgb(byteAt(ico, p + 2), byteAt(ico, p + 1), byteAt(ico, p)));
            if (transparent) {
                EXPECT_EQ(index, 0) << "transparent pixels keep black colour bits";
            }
        }
    }
    return image;
}

} // namespace

// The icon file holds a 32 x 32 and a 16 x 16 16-colour image, each a DIB of doubled height with a mask.
TEST(MainIcon, DirectoryAndImagesAreWellFormed)
{
    const QByteArray ico = committedFile(QStringLiteral("windows/resources/icon/MAINICON.ico"));
    ASSERT_EQ(ico.size(), 6 + 2 * 16 + 744 + 296);
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "icon, not cursor";
    EXPECT_EQ(le16(ico, 4), 2u);
    const int sizes[] = {32, 16};
    const std::uint32_t bytes[] = {744, 296};
    std::uint32_t expectedOffset = 38;
    for (int i = 0; i < 2; ++i) {
        const int entry = 6 + 16 * i;
        EXPECT_EQ(byteAt(ico, entry), static_cast<std::uint32_t>(sizes[i]));
        EXPECT_EQ(byteAt(ico, entry + 1), static_cast<std::uint32_t>(sizes[i]));
        EXPECT_EQ(byteAt(ico, entry + 2), 16u);
        EXPECT_EQ(byteAt(ico, entry + 3), 0u);
        EXPECT_EQ(le16(ico, entry + 4), 1u);
        EXPECT_EQ(le16(ico, entry + 6), 4u);
        EXPECT_EQ(le32(ico, entry + 8), bytes[i]);
        const std::uint32_t offset = le32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        expectedOffset += bytes[i];
        const int dib = static_cast<int>(offset);
        EXPECT_EQ(le32(ico, dib), 40u);
        EXPECT_EQ(le32(ico, dib + 4), static_cast<std::uint32_t>(sizes[i]));
        EXPECT_EQ(le32(ico, dib + 8), static_cast<std::uint32_t>(2 * sizes[i])) << "colour rows and mask rows";
        EXPECT_EQ(le16(ico, dib + 12), 1u);
        EXPECT_EQ(le16(ico, dib + 14), 4u);
        EXPECT_EQ(le32(ico, dib + 16), 0u);
        EXPECT_EQ(le32(ico, dib + 20), bytes[i] - 40 - 64);
    }
}

// Each icon image has a transparent surround, white pages, blue text on the right and a clock rim,
// and the desktop PNG of the same size shows exactly the same pixels.
TEST(MainIcon, ImagesShowTheNotebookAndMatchTheirPngs)
{
    const QByteArray ico = committedFile(QStringLiteral("windows/resources/icon/MAINICON.ico"));
    ASSERT_EQ(ico.size(), 1078);
    const struct {
        int size;
        int offset;
        const char* png;
    } images[] = {{32, 38, "windows/resources/icon/tolvika-32.png"},
                  {16, 38 + 744, "windows/resources/icon/tolvika-16.png"}};
    for (const auto& i : images) {
        const QImage icon = iconImage(ico, i.offset, i.size);
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << i.size;
        EXPECT_EQ(qAlpha(icon.pixel(0, i.size - 1)), 0) << i.size;
        int blueRight = 0, blueLeft = 0, white = 0;
        for (int y = 0; y < i.size; ++y) {
            for (int x = 0; x < i.size; ++x) {
                const QRgb c = icon.pixel(x, y);
                // Above the cover's lower edge, blue is text.
                if (c == qRgb(0, 0, 255) && y < i.size * 13 / 16) {
                    (x >= i.size / 2 ? blueRight : blueLeft) += 1;
                }
                white += c == qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        EXPECT_GE(blueRight, i.size / 2) << "lines of blue text on the right-hand page";
        EXPECT_EQ(blueLeft, 0) << i.size;
        EXPECT_GT(white, i.size * i.size / 5) << i.size;

        const QImage png =
            QImage::fromData(committedFile(QString::fromLatin1(i.png)), "PNG").convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(png.size(), icon.size());
        for (int y = 0; y < i.size; ++y)
            for (int x = 0; x < i.size; ++x)
                ASSERT_EQ(png.pixel(x, y), icon.pixel(x, y)) << i.size << ": " << x << "," << y;
    }
    const QImage large = QImage::fromData(committedFile(QStringLiteral("windows/resources/icon/tolvika-128.png")),
                                          "PNG");
    ASSERT_EQ(large.size(), QSize(128, 128));
    EXPECT_TRUE(large.hasAlphaChannel());
    EXPECT_EQ(qAlpha(large.pixel(0, 127)), 0);
    EXPECT_EQ(qAlpha(large.pixel(64, 64)), 255);
}
