// The two built-in pictures as committed: their stream framing, the JPEG
// structure a baseline JFIF reader relies on, and what the decoded pixels show.
#include "tests/tools/artwork/resource_bytes.h"

#include <QColor>
#include <QRect>
#include <gtest/gtest.h>
#include <map>

using namespace artwork_test;

namespace {

constexpr int kWidth = 592;
constexpr int kHeight = 419;
constexpr std::uint8_t kSOF0 = 0xC0, kDHT = 0xC4, kDQT = 0xDB, kAPP0 = 0xE0, kCOM = 0xFE;

// The JPEG file inside a picture stream, after checking the stream's header.
QByteArray jpegOfStream(const QByteArray& stream)
{
    EXPECT_GE(stream.size(), 15);
    if (stream.size() < 15)
        return {};
    EXPECT_EQ(byteAt(stream, 0), 10u);
    EXPECT_EQ(stream.mid(1, 10), QByteArray("TJPEGImage"));
    const std::uint32_t length = le32(stream, 11);
    EXPECT_EQ(length, static_cast<std::uint32_t>(stream.size() - 15)) << "length field must cover the rest exactly";
    return stream.mid(15);
}

struct JpegFacts {
    int dqtTables = 0;
    int dhtTables = 0;
    int sof0 = 0;
    int otherFrames = 0;
    QByteArray app0;
    QByteArray sof0Payload;
    std::vector<QByteArray> comments;
};

JpegFacts factsOf(const QByteArray& jpeg)
{
    JpegFacts facts;
    for (const JpegSegment& s : jpegSegments(jpeg)) {
        if (s.marker == kDQT) {
            for (int at = 0; at < s.payload.size();) {
                const bool sixteenBit = (byteAt(s.payload, at) >> 4) != 0;
                at += 1 + (sixteenBit ? 128 : 64);
                ++facts.dqtTables;
            }
        } else if (s.marker == kDHT) {
            for (int at = 0; at < s.payload.size();) {
                int values = 0;
                for (int i = 0; i < 16; ++i)
                    values += byteAt(s.payload, at + 1 + i);
                at += 17 + values;
                ++facts.dhtTables;
            }
        } else if (s.marker == kSOF0) {
            ++facts.sof0;
            facts.sof0Payload = s.payload;
        } else if (s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != kDHT && s.marker != 0xC8 && s.marker != 0xCC) {
            ++facts.otherFrames;
        } else if (s.marker == kAPP0 && s.payload.startsWith(QByteArray("JFIF\0", 5))) {
            facts.app0 = s.payload;
        } else if (s.marker == kCOM) {
            facts.comments.push_back(s.payload);
        }
    }
    return facts;
}

void expectBaselineFrame(const JpegFacts& facts)
{
    EXPECT_EQ(facts.sof0, 1);
    EXPECT_EQ(facts.otherFrames, 0) << "only a baseline frame is allowed";
    ASSERT_EQ(facts.sof0Payload.size(), 15);
    const QByteArray& f = facts.sof0Payload;
    EXPECT_EQ(byteAt(f, 0), 8u) << "8-bit samples";
    EXPECT_EQ(be16(f, 1), static_cast<std::uint32_t>(kHeight));
    EXPECT_EQ(be16(f, 3), static_cast<std::uint32_t>(kWidth));
    EXPECT_EQ(byteAt(f, 5), 3u) << "three components";
    EXPECT_EQ(byteAt(f, 7), 0x22u) << "luminance sampled 2 x 2";
    EXPECT_EQ(byteAt(f, 10), 0x11u);
    EXPECT_EQ(byteAt(f, 13), 0x11u);
    EXPECT_EQ(byteAt(f, 8), 0u) << "luminance uses table 0";
    EXPECT_EQ(byteAt(f, 11), 1u) << "chrominance uses table 1";
    EXPECT_EQ(byteAt(f, 14), 1u);
    EXPECT_EQ(facts.dqtTables, 2);
    EXPECT_EQ(facts.dhtTables, 4);
}

void expectEndsWithEOI(const QByteArray& jpeg)
{
    ASSERT_GE(jpeg.size(), 2);
    EXPECT_EQ(byteAt(jpeg, static_cast<int>(jpeg.size()) - 2), 0xFFu);
    EXPECT_EQ(byteAt(jpeg, static_cast<int>(jpeg.size()) - 1), 0xD9u);
}

bool isStrongRed(QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90; }
bool isStrongBlue(QRgb c) { return qBlue(c) > 160 && qRed(c) < 90 && qGreen(c) < 130; }
bool isNearWhite(QRgb c, int floor) { return qRed(c) >= floor && qGreen(c) >= floor && qBlue(c) >= floor; }
bool isSilver(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return lo >= 150 && hi <= 240 && hi - lo <= 25;
}

int countIn(const QImage& image, const QRect& area, bool (*test)(QRgb))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

// The title picture is a 592 x 419 baseline 4:2:0 JFIF 1.01 file at 120 dpi, framed as a picture stream.
TEST(TitlePicture, StreamAndJpegStructure)
{
    const QByteArray stream = committedFile(QStringLiteral("windows/resources/pictures/title.picture"));
    const QByteArray jpeg = jpegOfStream(stream);
    expectEndsWithEOI(jpeg);
    const JpegFacts facts = factsOf(jpeg);
    ASSERT_EQ(facts.app0.size(), 14);
    EXPECT_EQ(byteAt(facts.app0, 5), 1u);
    EXPECT_EQ(byteAt(facts.app0, 6), 1u) << "JFIF 1.01";
    EXPECT_EQ(byteAt(facts.app0, 7), 1u) << "dots per inch";
    EXPECT_EQ(be16(facts.app0, 8), 120u);
    EXPECT_EQ(be16(facts.app0, 10), 120u);
    expectBaselineFrame(facts);
    // Around the size of the picture it stands in for: big enough for real detail, small for a resource.
    EXPECT_GT(stream.size(), 30000);
    EXPECT_LT(stream.size(), 48000);
}

// Decoded, the title shows white corners, red and blue capitals in both rows and a silver robot between them.
TEST(TitlePicture, DecodedPixelsShowTheDesign)
{
    const QImage image = decodeJpeg(
        jpegOfStream(committedFile(QStringLiteral("windows/resources/pictures/title.picture"))));
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    for (const QPoint corner :
         {QPoint(1, 1), QPoint(kWidth - 2, 1), QPoint(1, kHeight - 2), QPoint(kWidth - 2, kHeight - 2)})
        EXPECT_TRUE(isNearWhite(image.pixel(corner), 245)) << corner.x() << "," << corner.y();
    const QRect topRow(0, 10, kWidth, 125);
    const QRect bottomRow(0, 290, kWidth, 120);
    const QRect middle(150, 140, 350, 145);
    EXPECT_GT(countIn(image, topRow, isStrongRed), 3000);
    EXPECT_GT(countIn(image, topRow, isStrongBlue), 3000);
    EXPECT_GT(countIn(image, bottomRow, isStrongRed), 3000);
    EXPECT_GT(countIn(image, bottomRow, isStrongBlue), 3000);
    EXPECT_GT(countIn(image, middle, isSilver), 4000);
    // White ground: most of the picture stays white.
    const int white = countIn(image, image.rect(), [](QRgb c) { return isNearWhite(c, 240); });
    EXPECT_GT(white, kWidth * kHeight * 4 / 10);
}

// The fallback is a baseline 4:2:0 JFIF 1.02 file with no density (dots per cm, 0 x 0) and a comment naming its maker.
TEST(FallbackPicture, StreamAndJpegStructure)
{
    const QByteArray jpeg = jpegOfStream(committedFile(QStringLiteral("windows/resources/pictures/fallback.picture")));
    expectEndsWithEOI(jpeg);
    const JpegFacts facts = factsOf(jpeg);
    ASSERT_EQ(facts.app0.size(), 14);
    EXPECT_EQ(byteAt(facts.app0, 5), 1u);
    EXPECT_EQ(byteAt(facts.app0, 6), 2u) << "JFIF 1.02";
    EXPECT_EQ(byteAt(facts.app0, 7), 2u) << "dots per centimetre";
    EXPECT_EQ(be16(facts.app0, 8), 0u);
    EXPECT_EQ(be16(facts.app0, 10), 0u);
    expectBaselineFrame(facts);
    ASSERT_EQ(facts.comments.size(), 1u);
    EXPECT_EQ(facts.comments[0], QByteArray("tolvika-artwork"));
}

// Decoded, the fallback is nearly white everywhere except for red words in its centre.
TEST(FallbackPicture, DecodedPixelsAreFadedWithRedWords)
{
    const QImage image = decodeJpeg(
        jpegOfStream(committedFile(QStringLiteral("windows/resources/pictures/fallback.picture"))));
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    const int pale = countIn(image, image.rect(), [](QRgb c) { return isNearWhite(c, 215); });
    EXPECT_GT(pale, kWidth * kHeight * 85 / 100);
    const QRect centre(120, 110, 352, 230);
    EXPECT_GT(countIn(image, centre, isStrongRed), 6000);
    // Outside the words nothing strong remains: a band along the top and the bottom.
    EXPECT_EQ(countIn(image, QRect(0, 0, kWidth, 100), isStrongRed), 0);
    EXPECT_EQ(countIn(image, QRect(0, 345, kWidth, kHeight - 345), isStrongRed), 0);
    EXPECT_EQ(countIn(image, image.rect(), isStrongBlue), 0);
}
