// File names as bytes: any byte string comes back exactly from the text the
// program carries it in, and its displayed form shows a byte that means no
// character in the character set as U+FFFD.
#include "app/core/path_encoding.h"

#include <gtest/gtest.h>

namespace {

// Latin-1, KOI8-R and broken UTF-8 names, beside good UTF-8 of every length.
const QByteArray kNames[] = {
    "caf\xE9",
    "/tmp/caf\xE9/DATA/",
    "\xD0\xC1\xD0\xCB\xC1", // "папка" in KOI8-R
    "/home/\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB0", // "/home/маша" in UTF-8
    "\xC0\xAF", // an overlong "/"
    "\xED\xB3\xA9", // a surrogate written as UTF-8
    "\xE2\x82", // a character cut short
    "\xE2\x82\xAC\xF0\x9F\x98\x80", // "€" and an emoji
    "\xF4\x90\x80\x80", // beyond the last character
    "\xF0\x90\x82\x80\xE9", // a character whose second half looks like an escape, then a stray byte
    "\xFF\xFE",
};

// Every byte string comes back byte for byte.
TEST(PathEncoding, EveryNameKeepsItsBytes)
{
    for (const QByteArray& name : kNames)
        EXPECT_EQ(pathBytes(pathFromBytes(name)), name) << name.toHex(' ').toStdString();
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; ++second) {
            const char bytes[] = {static_cast<char>(first), static_cast<char>(second)};
            const QByteArray name(bytes, 2);
            ASSERT_EQ(pathBytes(pathFromBytes(name)), name) << name.toHex(' ').toStdString();
        }
}

// Good UTF-8 is the text it spells, so that names from the toolkit's own
// dialogs and the program's own relative names join up with it.
TEST(PathEncoding, Utf8NamesAreTheirText)
{
    EXPECT_EQ(pathFromBytes("/home/\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB0/DATA/"), QStringLiteral("/home/маша/DATA/"));
    EXPECT_EQ(pathBytes(QStringLiteral("/DATA/Б/letter_text.txt")), QStringLiteral("/DATA/Б/letter_text.txt").toUtf8());
    EXPECT_EQ(pathBytes(pathFromBytes("/tmp/caf\xE9/") + QStringLiteral("DATA/Ё/letter_img.jpg")),
              QByteArray("/tmp/caf\xE9/DATA/\xD0\x81/letter_img.jpg"));
}

struct ShownCase {
    const char* charset;
    QByteArray name;
    QString shown;
};

class DisplayPathTest : public ::testing::TestWithParam<ShownCase> {};

// A byte that is no UTF-8 is read in the character set, or shows U+FFFD where it means nothing there.
TEST_P(DisplayPathTest, ShowsWhatTheCharacterSetMakesOfTheBytes)
{
    EXPECT_EQ(displayPath(pathFromBytes(GetParam().name), GetParam().charset), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DisplayPathTest,
    ::testing::Values(ShownCase{"UTF-8", "/tmp/caf\xE9/DATA/", QStringLiteral("/tmp/caf\uFFFD/DATA/")},
                      ShownCase{"UTF-8", "\xD0\xC1\xD0\xCB\xC1", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD")},
                      ShownCase{"UTF-8", "/home/\xD0\xBC\xD0\xB0\xD1\x88\xD0\xB0", QStringLiteral("/home/маша")},
                      ShownCase{"UTF-8", "\xC0\xAF", QStringLiteral("\uFFFD\uFFFD")},
                      ShownCase{"UTF-8", "\xF0\x90\x82\x80\xE9", QStringLiteral("\U00010080\uFFFD")},
                      ShownCase{"ANSI_X3.4-1968", "caf\xE9", QStringLiteral("caf\uFFFD")},
                      ShownCase{"ANSI_X3.4-1968", "/\xD0\x91/", QStringLiteral("/Б/")},
                      ShownCase{"KOI8-R", "/tmp/\xD0\xC1\xD0\xCB\xC1/DATA/\xD0\x91/",
                                QStringLiteral("/tmp/папка/DATA/Б/")},
                      ShownCase{"ISO-8859-1", "caf\xE9", QStringLiteral("café")},
                      ShownCase{"CP1251", "\xC0\x98\xC1", QStringLiteral("А\uFFFDБ")}));

} // namespace
