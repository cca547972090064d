#include "browser/key_mapping.h"

#include <array>

namespace {

// Small Cyrillic letters lie exactly this far above their capitals, and small
// Latin letters this far above theirs.
constexpr std::uint8_t kCaseDistance = 0x20;
constexpr std::uint8_t kFirstCapital = 0xC0;
constexpr std::uint8_t kLastCapital = 0xDF;
constexpr std::uint8_t kFirstSmall = 0xE0;

struct KeyRow {
    std::uint8_t key;
    std::uint8_t letter;
};

// The Latin-layout character on each key of the Russian keyboard, in letter
// order, then the shifted characters of the punctuation keys among them, so
// that Shift does not change which letter a key stands for.
constexpr KeyRow kPositionTable[] = {
    {'f', 0xC0}, {',', 0xC1}, {'d', 0xC2},       {'u', 0xC3}, {'l', 0xC4}, {'t', 0xC5}, {'`', kCapitalYo}, {';', 0xC6},
    {'p', 0xC7}, {'b', 0xC8}, {'q', 0xC9},       {'r', 0xCA}, {'k', 0xCB}, {'v', 0xCC}, {'y', 0xCD},       {'j', 0xCE},
    {'g', 0xCF}, {'h', 0xD0}, {'c', 0xD1},       {'n', 0xD2}, {'e', 0xD3}, {'a', 0xD4}, {'[', 0xD5},       {'w', 0xD6},
    {'x', 0xD7}, {'i', 0xD8}, {'o', 0xD9},       {']', 0xDA}, {'s', 0xDB}, {'m', 0xDC}, {'\'', 0xDD},      {'.', 0xDE},
    {'z', 0xDF}, {'<', 0xC1}, {'~', kCapitalYo}, {':', 0xC6}, {'{', 0xD5}, {'}', 0xDA}, {'"', 0xDD},       {'>', 0xDE},
};

constexpr std::array<std::uint8_t, 256> kLetterOfKey = [] {
    std::array<std::uint8_t, 256> table{};
    table.fill(kNoLetter);
    for (const KeyRow& row : kPositionTable)
        table[row.key] = row.letter;
    return table;
}();

} // namespace

std::uint8_t foldKey(std::uint8_t key)
{
    if (key >= kFirstSmall)
        return static_cast<std::uint8_t>(key - kCaseDistance);
    if (key == kSmallYo)
        return kCapitalYo;
    if (key >= 'A' && key <= 'Z')
        return static_cast<std::uint8_t>(key + kCaseDistance);
    return key;
}

bool isCapitalLetter(std::uint8_t byte)
{
    return (byte >= kFirstCapital && byte <= kLastCapital) || byte == kCapitalYo;
}

std::uint8_t letterForFoldedKey(std::uint8_t folded)
{
    if (isCapitalLetter(folded))
        return folded;
    return kLetterOfKey[folded];
}

std::uint8_t letterForKey(std::uint8_t key) { return letterForFoldedKey(foldKey(key)); }
