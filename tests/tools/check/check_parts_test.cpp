// The two byte-level judgements of the checker: which texts are UTF-8 rather
// than Windows-1251, and which JPEG files end before their end-of-image marker.
#include "tests/tools/check/folder_copies.h"
#include "tools/check/jpeg_markers.h"
#include "tools/check/text_encoding.h"

#include <gtest/gtest.h>

namespace {

QByteArray windows1251(const char* utf8)
{
    QByteArray bytes;
    for (const QChar c : QString::fromUtf8(utf8)) {
        const ushort u = c.unicode();
        // А..я lie at 0xC0..0xFF; the tests use only those and ASCII.
        bytes += static_cast<char>(u >= 0x0410 && u <= 0x044F ? u - 0x0410 + 0xC0 : u);
    }
    return bytes;
}

TEST(TextEncoding, RussianUtf8IsToldFromWindows1251)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"ASCII only", "Tolvika\r\nABC\r\n", false},
        {"empty", "", false},
        {"Windows-1251 Russian", windows1251("Арбуз\r\nбольшой"), false},
        {"UTF-8 Russian", QByteArray("Арбуз\r\nбольшой"), true},
        {"UTF-8 Russian, one letter", QByteArray("Я"), true},
        {"UTF-8 byte-order mark before ASCII", QByteArray("\xEF\xBB\xBFTolvika"), true},
        {"UTF-8 accented Latin, no Cyrillic", QByteArray("café"), false},
        // С« is a valid UTF-8 pair (Ы), but the rest is not UTF-8.
        {"Windows-1251 with a chance UTF-8 pair", windows1251("С") + "\xAB" + windows1251("Мама") + "\xBB", false},
        {"UTF-8 Russian cut inside a letter", QByteArray("Арбуз").left(3), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeUtf8(c.bytes), c.utf8) << c.what;
}

TEST(JpegMarkers, OnlyFilesCutBeforeTheirEndMarkerEndEarly)
{
    const QByteArray baseline = checkfixtures::jpegOfSize(64, 48);
    const QByteArray progressive = checkfixtures::jpegOfSize(64, 48, true);
    ASSERT_TRUE(baseline.endsWith("\xFF\xD9"));
    struct Case {
        const char* what;
        QByteArray bytes;
        bool early;
    };
    const Case cases[] = {
        {"complete baseline", baseline, false},
        {"complete progressive", progressive, false},
        {"complete, with bytes after the end marker", baseline + QByteArray(100, 'x'), false},
        {"baseline cut inside its scan", baseline.left(baseline.size() * 6 / 10), true},
        {"progressive cut between or inside scans", progressive.left(progressive.size() * 6 / 10), true},
        {"cut inside a header segment", baseline.left(30), true},
        {"only the start-of-image marker", baseline.left(2), true},
        {"end marker missing by one byte", baseline.chopped(1), true},
        {"empty", QByteArray(), false},
        {"not a JPEG", QByteArray("BM\x36\x00\x00\x00", 6), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jpegEndsEarly(c.bytes), c.early) << c.what;
}

} // namespace
