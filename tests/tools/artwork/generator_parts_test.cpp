// The generator's building blocks on small inputs: pixel-map parsing, the
// disabled-cell rule, stream framing, bitmap rows and the JPEG header fields
// it is told to write.
#include "tools/artwork/artwork_error.h"
#include "tools/artwork/dib_writer.h"
#include "tools/artwork/glyphs.h"
#include "tools/artwork/jpeg_encoder.h"
#include "tools/artwork/pixel_map.h"
#include "tools/artwork/streams.h"

#include "tests/tools/artwork/resource_bytes.h"

#include <gtest/gtest.h>

using namespace artwork;
using namespace artwork_test;

// Rows of unequal length and unknown characters are design mistakes and stop the generator.
TEST(PixelMapParsing, RejectsBrokenDesigns)
{
    EXPECT_THROW(PixelMap::fromRows({"KK", "K"}), EArtworkError);
    EXPECT_THROW(PixelMap::fromRows({"Kx"}), EArtworkError);
    const PixelMap map = PixelMap::fromRows({".c", "cR"});
    EXPECT_FALSE(map.isOpaque(0, 0));
    EXPECT_EQ(map.colour(1, 0), Colour16::White) << "checker is white where x + y is odd";
    EXPECT_EQ(map.colour(0, 1), Colour16::White);
    EXPECT_EQ(map.colour(1, 1), Colour16::Red);
    EXPECT_THROW(map.colour(2, 0), EArtworkError);
}

// A dark pixel becomes grey with a white pixel below right; light colours vanish; the edge clips.
TEST(DisabledCell, EmbossesDarkPixelsOnly)
{
    const PixelMap design = PixelMap::fromRows({
        "R..Y",
        "....",
        "..WK",
        "...K",
    });
    const PixelMap cell = disabledCell(design);
    EXPECT_EQ(cell.colour(0, 0), Colour16::Grey);
    EXPECT_EQ(cell.colour(1, 1), Colour16::White);
    EXPECT_FALSE(cell.isOpaque(3, 0)) << "yellow is light";
    EXPECT_FALSE(cell.isOpaque(2, 2)) << "white is light";
    EXPECT_EQ(cell.colour(3, 2), Colour16::Grey);
    EXPECT_EQ(cell.colour(3, 3), Colour16::Grey) << "grey wins over the white of the pixel above";
    int opaque = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            opaque += cell.isOpaque(x, y) ? 1 : 0;
    EXPECT_EQ(opaque, 4);
}

// Stream framing: class-name length byte, name, little-endian length, data; glyph: length, data.
TEST(Streams, FrameTheirData)
{
    const QByteArray data(300, 'x');
    const QByteArray picture = pictureStream("TJPEGImage", data);
    EXPECT_EQ(picture.size(), 1 + 10 + 4 + 300);
    EXPECT_EQ(byteAt(picture, 0), 10u);
    EXPECT_EQ(le32(picture, 11), 300u);
    EXPECT_EQ(picture.mid(15), data);
    const QByteArray glyph = glyphStream(data);
    EXPECT_EQ(le32(glyph, 0), 300u);
    EXPECT_EQ(glyph.mid(4), data);
    EXPECT_THROW(pictureStream("", data), EArtworkError);
}

// Bitmap rows are stored bottom-up, left pixel in the high nibble, transparency as the given colour.
TEST(BitmapFile, StoresRowsBottomUpInNibbles)
{
    PixelMap map(8, 2);
    map.set(0, 0, Colour16::Red);
    map.set(1, 1, Colour16::Blue);
    const QByteArray bmp = bitmapFile(map, glyphPalette(), Colour16::Olive);
    ASSERT_EQ(bmp.size(), 14 + 40 + 64 + 2 * 4);
    EXPECT_EQ(byteAt(bmp, 118), 0x3Cu) << "bottom row: olive, blue";
    EXPECT_EQ(byteAt(bmp, 122), 0x93u) << "top row: red, olive";
}

// The JPEG writer records exactly the JFIF version, density and comment it is given.
TEST(JpegEncoder, WritesTheRequestedHeaderFields)
{
    QImage picture(40, 24, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    JpegSettings settings;
    settings.quality = 90;
    settings.jfifMinorVersion = 2;
    settings.densityUnit = 2;
    settings.xDensity = 47;
    settings.yDensity = 11;
    settings.comment = "made here";
    const QByteArray jpeg = encodeJpeg(picture, settings);
    const std::vector<JpegSegment> segments = jpegSegments(jpeg);
    ASSERT_FALSE(segments.empty());
    ASSERT_EQ(segments[0].marker, 0xE0u);
    const QByteArray& jfif = segments[0].payload;
    EXPECT_EQ(byteAt(jfif, 6), 2u);
    EXPECT_EQ(byteAt(jfif, 7), 2u);
    EXPECT_EQ(be16(jfif, 8), 47u);
    EXPECT_EQ(be16(jfif, 10), 11u);
    bool comment = false;
    for (const JpegSegment& s : segments)
        comment = comment || (s.marker == 0xFE && s.payload == "made here");
    EXPECT_TRUE(comment);
    const QImage decoded = decodeJpeg(jpeg);
    ASSERT_EQ(decoded.size(), picture.size());
    const QRgb centre = decoded.pixel(20, 12);
    EXPECT_NEAR(qGreen(centre), 200, 4);
    EXPECT_NEAR(qRed(centre), 10, 4);
}
