// Texts of one size in the shapes that a word-wrapped text area lays out at
// very different costs. The costly one is a single line with no place to break
// it: the line breaker looks for the end of the word again for every screen
// line it fills, so its time grows with the square of the line's length, and
// the wider the glyph, the more screen lines. The others are what real texts
// look like at the same size.
#pragma once

#include <QByteArray>
#include <QFont>
#include <cstdint>

namespace bench {

// The Windows-1251 byte whose glyph is widest in this font (the first of equals).
std::uint8_t widestByte(const QFont& font);
// `size` bytes: one line of `byte`, without a space or a line break.
QByteArray oneLineOf(std::uint8_t byte, qsizetype size);
// `size` bytes: one line of five-letter words of `byte`, each followed by a space.
QByteArray wordsOf(std::uint8_t byte, qsizetype size);
// `size` bytes: short lines of `byte`, each ended by CR LF.
QByteArray shortLinesOf(std::uint8_t byte, qsizetype size);

} // namespace bench
