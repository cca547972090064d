#include "tools/artwork/glyphs.h"

#include "tools/artwork/artwork_error.h"

namespace artwork {

namespace {

// Pixels darker than this (by the usual luma weights) form the embossed
// outline of the disabled cell; lighter ones, such as yellow, white and
// silver, fade into the button face as they do on a disabled button.
constexpr int kDarkLuma = 128;

bool isDark(QRgb colour)
{
    return (299 * qRed(colour) + 587 * qGreen(colour) + 114 * qBlue(colour)) / 1000 < kDarkLuma;
}

// A red question mark on a round disc checkered in yellow and white.
PixelMap helpDisc()
{
    return PixelMap::fromRows({
        "................",
        ".....KKKKKK.....",
        "...KKccccccKK...",
        "..KcccRRRRcccK..",
        "..KccRRMMRRccK..",
        ".KcccRRcMRRMccK.",
        ".KcccMMccRRMccK.",
        ".KccccccRRMcccK.",
        ".KcccccRRMccccK.",
        ".KcccccRRMccccK.",
        ".KccccccMMccccK.",
        "..KccccRRccccK..",
        "..KccccRRMcccK..",
        "...KKcccMMcKK...",
        ".....KKKKKK.....",
        "................",
    });
}

// An open book (white pages, black outline, blue base) with a red question
// mark rising from it on a yellow-and-white checkered ground.
PixelMap helpBook()
{
    return PixelMap::fromRows({
        "....ccRRRRcc....",
        "...ccRRMMRRcc...",
        "..cccccccRRMcc..",
        "..ccccccRRMccc..",
        "..cccccRRMcccc..",
        "..cccccRRMcccc..",
        "...cccccccccc...",
        "....cccRRMcc....",
        ".KKK...RRM..KKK.",
        ".KWWKK....KKWWK.",
        ".KWWWWKKKKWWWWK.",
        ".KWsssWKKWsssWK.",
        ".KWWWWWKKWWWWWK.",
        "BKWsssWKKWssWWKB",
        "BKKKKKKKKKKKKKKB",
        ".BBBBBBBBBBBBBB.",
    });
}

// A white sheet with a folded top-right corner, a red line along its top and
// a black hash grid on it.
PixelMap documentPage()
{
    return PixelMap::fromRows({
        "..KKKKKKKKK.....",
        "..KRRRRRRRKK....",
        "..KRRRRRRRKsK...",
        "..KWWWWWWWKssK..",
        "..KWWWWWWWKKKKK.",
        "..KWWWWWWWWWWWK.",
        "..KWWWKWWWKWWWK.",
        "..KWKKKKKKKKKWK.",
        "..KWWWKWWWKWWWK.",
        "..KWWWKWWWKWWWK.",
        "..KWWWKWWWKWWWK.",
        "..KWKKKKKKKKKWK.",
        "..KWWWKWWWKWWWK.",
        "..KWWWWWWWWWWWK.",
        "..KWWWWWWWWWWWK.",
        "..KKKKKKKKKKKKK.",
    });
}

// A red prohibition sign (a ring crossed from top left to bottom right) over
// a black exclamation mark.
PixelMap prohibitionSign()
{
    return PixelMap::fromRows({
        "................",
        ".....RRRRRR.....",
        "...RRRRRRRRRR...",
        "..RRRRWKKWRRRR..",
        "..RRRRWKKWWWRR..",
        ".RRWRRRKKWWWWRR.",
        ".RRWWRRRKWWWWRR.",
        ".RRWWWRRRWWWWRR.",
        ".RRWWWWRRRWWWRR.",
        ".RRWWWWKRRRWWRR.",
        ".RRWWWWWWRRRWRR.",
        "..RRWWWKKWRRRR..",
        "..RRRRWKKWRRRR..",
        "...RRRRRRRRRR...",
        ".....RRRRRR.....",
        "................",
    });
}

Glyph twoCellGlyph(std::string name, const PixelMap& design)
{
    if (design.width() != kGlyphCell || design.height() != kGlyphCell)
        throw EArtworkError("glyph design must be 16 x 16");
    PixelMap bitmap(2 * kGlyphCell, kGlyphCell);
    bitmap.paste(design, 0, 0);
    bitmap.paste(disabledCell(design), kGlyphCell, 0);
    return Glyph{std::move(name), std::move(bitmap)};
}

} // namespace

PixelMap disabledCell(const PixelMap& design)
{
    const Palette16& palette = glyphPalette();
    PixelMap cell(design.width(), design.height());
    auto dark = [&](int x, int y) {
        return design.isOpaque(x, y) && design.colour(x, y) != Colour16::Olive
            && isDark(palette.rgbOf(design.colour(x, y)));
    };
    for (int y = 0; y < design.height(); ++y) {
        for (int x = 0; x < design.width(); ++x) {
            if (dark(x, y) && x + 1 < design.width() && y + 1 < design.height())
                cell.set(x + 1, y + 1, Colour16::White);
        }
    }
    for (int y = 0; y < design.height(); ++y) {
        for (int x = 0; x < design.width(); ++x) {
            if (dark(x, y))
                cell.set(x, y, Colour16::Grey);
        }
    }
    return cell;
}

std::vector<Glyph> speedButtonGlyphs()
{
    std::vector<Glyph> glyphs;
    glyphs.push_back(twoCellGlyph("sbHelp", helpDisc()));
    glyphs.push_back(twoCellGlyph("SpeedButton1", helpBook()));
    glyphs.push_back(twoCellGlyph("btnDir", documentPage()));
    glyphs.push_back(twoCellGlyph("SpeedButton2", prohibitionSign()));
    return glyphs;
}

} // namespace artwork
