#include "browser/content_page.h"
#include "browser/key_mapping.h"

#include <QString>
#include <gtest/gtest.h>
#include <set>

namespace {

struct PositionRow {
    const char* letter; // UTF-8
    std::uint8_t code; // Windows-1251
    char key; // Latin layout, unshifted
};

// The Russian keyboard, letter by letter, as the child sees it printed.
const PositionRow kPositionRows[] = {
    {"А", 0xC0, 'f'},  {"Б", 0xC1, ','}, {"В", 0xC2, 'd'}, {"Г", 0xC3, 'u'}, {"Д", 0xC4, 'l'}, {"Е", 0xC5, 't'},
    {"Ё", 0xA8, '`'},  {"Ж", 0xC6, ';'}, {"З", 0xC7, 'p'}, {"И", 0xC8, 'b'}, {"Й", 0xC9, 'q'}, {"К", 0xCA, 'r'},
    {"Л", 0xCB, 'k'},  {"М", 0xCC, 'v'}, {"Н", 0xCD, 'y'}, {"О", 0xCE, 'j'}, {"П", 0xCF, 'g'}, {"Р", 0xD0, 'h'},
    {"С", 0xD1, 'c'},  {"Т", 0xD2, 'n'}, {"У", 0xD3, 'e'}, {"Ф", 0xD4, 'a'}, {"Х", 0xD5, '['}, {"Ц", 0xD6, 'w'},
    {"Ч", 0xD7, 'x'},  {"Ш", 0xD8, 'i'}, {"Щ", 0xD9, 'o'}, {"Ъ", 0xDA, ']'}, {"Ы", 0xDB, 's'}, {"Ь", 0xDC, 'm'},
    {"Э", 0xDD, '\''}, {"Ю", 0xDE, '.'}, {"Я", 0xDF, 'z'},
};

struct ShiftedRow {
    char key;
    const char* letter;
};

// Shift on a punctuation key of the Latin layout still means that key's letter.
const ShiftedRow kShiftedRows[] = {
    {'<', "Б"}, {'>', "Ю"}, {':', "Ж"}, {'{', "Х"}, {'}', "Ъ"}, {'~', "Ё"}, {'"', "Э"},
};

QString nameOf(std::uint8_t letter) { return letter == kNoLetter ? QStringLiteral("*") : letterFolderName(letter); }

} // namespace

// Each of the 33 keys of the Latin layout gives the letter printed on it, and
// that letter's code names its folder by the letter itself.
TEST(KeyMapping, EveryLatinKeyGivesTheLetterOnItsKey)
{
    ASSERT_EQ(std::size(kPositionRows), 33u);
    for (const PositionRow& row : kPositionRows) {
        SCOPED_TRACE(row.letter);
        EXPECT_EQ(letterForKey(static_cast<std::uint8_t>(row.key)), row.code);
        EXPECT_EQ(letterFolderName(row.code), QString::fromUtf8(row.letter));
        if (row.key >= 'a' && row.key <= 'z') {
            EXPECT_EQ(letterForKey(static_cast<std::uint8_t>(row.key - 'a' + 'A')), row.code)
                << "Caps Lock or Shift on a letter key";
        }
    }
}

// Every Cyrillic letter typed with a Russian layout, small or capital, gives its capital.
TEST(KeyMapping, CyrillicLettersAreTakenDirectly)
{
    for (int capital = 0xC0; capital <= 0xDF; ++capital) {
        const auto small = static_cast<std::uint8_t>(capital + 0x20);
        SCOPED_TRACE(capital);
        EXPECT_EQ(letterForKey(static_cast<std::uint8_t>(capital)), capital);
        EXPECT_EQ(letterForKey(small), capital);
        EXPECT_EQ(letterFolderName(small).toUpper(), letterFolderName(static_cast<std::uint8_t>(capital)));
    }
    EXPECT_EQ(nameOf(letterForKey(0xF4)), QStringLiteral("Ф"));
    EXPECT_EQ(nameOf(letterForKey(0xD4)), QStringLiteral("Ф"));
    EXPECT_EQ(nameOf(letterForKey('a')), QStringLiteral("Ф"));
    EXPECT_EQ(nameOf(letterForKey('A')), QStringLiteral("Ф"));
}

// Ё comes from ё and Ё typed directly as well as from its key in the Latin layout, shifted or not.
TEST(KeyMapping, YoFromEveryWayOfTypingIt)
{
    for (std::uint8_t key : {std::uint8_t{0xB8}, std::uint8_t{0xA8}, std::uint8_t{'`'}, std::uint8_t{'~'}}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(letterForKey(key), kCapitalYo);
    }
    EXPECT_EQ(letterFolderName(kCapitalYo), QStringLiteral("Ё"));
}

// The shifted punctuation keys give the same letters as their unshifted characters.
TEST(KeyMapping, ShiftedPunctuationKeepsItsKeysLetter)
{
    for (const ShiftedRow& row : kShiftedRows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(nameOf(letterForKey(static_cast<std::uint8_t>(row.key))), QString::fromUtf8(row.letter));
    }
}

// Digits, space, Enter, Backspace, Esc, control characters, "?" (a character
// with no Windows-1251 form) and every other byte stand for no letter.
TEST(KeyMapping, EveryOtherCharacterStandsForNoLetter)
{
    for (std::uint8_t key :
         {std::uint8_t{'0'},  std::uint8_t{'5'},  std::uint8_t{'9'},  std::uint8_t{' '},  std::uint8_t{0x0D},
          std::uint8_t{0x08}, std::uint8_t{0x1B}, std::uint8_t{0x00}, std::uint8_t{0x09}, std::uint8_t{0x7F},
          std::uint8_t{'?'},  std::uint8_t{'!'},  std::uint8_t{'/'},  std::uint8_t{'\\'}, std::uint8_t{'|'},
          std::uint8_t{'-'},  std::uint8_t{'='},  std::uint8_t{'@'},  std::uint8_t{'#'},  std::uint8_t{'^'},
          std::uint8_t{'_'},  std::uint8_t{'+'},  std::uint8_t{0x98}, std::uint8_t{0xB9}}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(letterForKey(key), kNoLetter);
    }

    std::set<int> letterKeys;
    for (const PositionRow& row : kPositionRows) {
        letterKeys.insert(static_cast<unsigned char>(row.key));
        if (row.key >= 'a' && row.key <= 'z')
            letterKeys.insert(row.key - 'a' + 'A');
    }
    for (const ShiftedRow& row : kShiftedRows)
        letterKeys.insert(static_cast<unsigned char>(row.key));
    for (int cyrillic = 0xC0; cyrillic <= 0xFF; ++cyrillic)
        letterKeys.insert(cyrillic);
    letterKeys.insert({0xA8, 0xB8});
    ASSERT_EQ(letterKeys.size(), 33u + 26u + 7u + 64u + 2u);

    for (int key = 0; key < 256; ++key) {
        SCOPED_TRACE(key);
        const std::uint8_t letter = letterForKey(static_cast<std::uint8_t>(key));
        if (letterKeys.count(key))
            EXPECT_TRUE(isCapitalLetter(letter));
        else
            EXPECT_EQ(letter, kNoLetter);
    }
}

// The key is rewritten in place: small Cyrillic to capital, Latin capital to small, all else kept.
TEST(KeyMapping, FoldKeyRewritesOnlyLetterCase)
{
    const struct {
        std::uint8_t in, out;
    } cases[] = {
        {0xF4, 0xD4}, {0xE0, 0xC0}, {0xFF, 0xDF}, {0xD4, 0xD4}, {0xB8, 0xA8}, {0xA8, 0xA8}, {'A', 'a'},   {'Z', 'z'},
        {'a', 'a'},   {'@', '@'},   {'[', '['},   {'<', '<'},   {'5', '5'},   {0x0D, 0x0D}, {0xBF, 0xBF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(foldKey(c.in), c.out);
    }
}
