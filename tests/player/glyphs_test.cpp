// The 27 glyph resources: all present, 16-colour bitmaps at their sizes, and the
// Play glyphs drawn as the repeat control needs them.
#include "tests/player/player_fixture.h"

#include <QFile>

using namespace playertest;

namespace {

struct GlyphSize {
    TMPBtnType button;
    int width, height;
};

constexpr GlyphSize sizes[] = {
    {btPlay, 17, 16}, {btPause, 13, 16}, {btStop, 17, 16},   {btNext, 21, 16},  {btPrev, 20, 16},
    {btStep, 21, 16}, {btBack, 21, 16},  {btRecord, 13, 13}, {btEject, 19, 16},
};

std::uint16_t bitsPerPixel(const QByteArray& file)
{
    return std::uint16_t(std::uint8_t(file[28]) | (std::uint8_t(file[29]) << 8));
}

} // namespace

// Every glyph is a 4-bit bitmap at the size of its button; only the disabled pause is one narrower.
TEST(PlayerGlyphs, AllPresentAtTheirSizes)
{
    for (const GlyphSize& s : sizes)
        for (TGlyphLook look : {TGlyphLook::Plain, TGlyphLook::Disabled, TGlyphLook::Colored}) {
            const QString path = playerglyphs::resourcePath(look, s.button);
            SCOPED_TRACE(path.toStdString());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            ASSERT_GT(bytes.size(), 30);
            EXPECT_EQ(bytes.left(2), QByteArray("BM"));
            EXPECT_EQ(bitsPerPixel(bytes), 4);
            const QImage image = playerglyphs::load(look, s.button);
            const int width = (look == TGlyphLook::Disabled && s.button == btPause) ? 12 : s.width;
            EXPECT_EQ(image.size(), QSize(width, s.height));
            EXPECT_TRUE(containsColour(image, colors::clOlive)) << "no transparent ground";
        }
    EXPECT_EQ(playerglyphs::resourceName(TGlyphLook::Colored, btRecord), "CL_MPRECORD");
}

// The Play triangle: plain filled black, disabled an outline only, coloured filled
// lime; all three with grey and white edges on olive, and the same outline.
TEST(PlayerGlyphs, PlayLooks)
{
    const QImage plain = playerglyphs::load(TGlyphLook::Plain, btPlay);
    const QImage disabled = playerglyphs::load(TGlyphLook::Disabled, btPlay);
    const QImage colored = playerglyphs::load(TGlyphLook::Colored, btPlay);
    const QRgb olive = colors::clOlive.rgb();
    const QRgb grey = QColor(128, 128, 128).rgb();
    const QRgb white = colors::clWhite.rgb();
    int fill = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 17; ++x) {
            const QRgb p = plain.pixel(x, y), d = disabled.pixel(x, y), c = colored.pixel(x, y);
            if (p == grey || p == white) {
                EXPECT_EQ(d, p);
                EXPECT_EQ(c, p);
            } else if (p == colors::clBlack.rgb()) {
                ++fill;
                EXPECT_EQ(d, olive);
                EXPECT_EQ(c, QColor(0, 255, 0).rgb());
            } else {
                EXPECT_EQ(p, olive);
                EXPECT_EQ(d, olive);
                EXPECT_EQ(c, olive);
            }
        }
    EXPECT_GT(fill, 20);
    // The left edge is grey and the lower-right edge white; the tip points right.
    EXPECT_EQ(plain.pixel(5, 8), grey);
    EXPECT_EQ(plain.pixel(11, 8), white);
    EXPECT_EQ(plain.pixel(11, 7), grey);
    EXPECT_EQ(plain.pixel(12, 7), olive);
    EXPECT_EQ(plain.pixel(8, 7), colors::clBlack.rgb());
}
