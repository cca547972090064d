// Windows-1251, the code page of the content files, of typed characters and
// of the texts the generators write: the one codec that the program, the tools
// and the tests share, built on glibc's iconv. Text inside the program is
// Unicode; these conversions are the borders. Each caller keeps its own rule
// for what has no counterpart: a byte with no character (0x98) is shown as
// U+FFFD or refused, a character with no byte is "none" or an error.
#pragma once

#include "platform/exception/exception.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cp1251 {

// What decoding does with a byte that has no character.
enum class UnassignedByte {
    Replace, // shows U+FFFD and goes on: a text file can hold any byte
    Refuse, // the whole text has no decoding
};

// The text of the bytes; empty only under Refuse, when a byte has no character.
std::optional<QString> decode(const QByteArray& bytes, UnassignedByte rule);
// Decoding that never fails: a byte with no character becomes U+FFFD.
QString decode(const QByteArray& bytes);

// The Windows-1251 byte of one character; empty when it has none.
std::optional<std::uint8_t> encodeChar(char32_t character);

// A character of the text that Windows-1251 cannot hold, with its place:
// the number of the character in the converted text, counted from 1.
class EUnmappableCharacter : public Exception {
public:
    EUnmappableCharacter(std::string message, char32_t character, std::size_t position)
        : Exception(std::move(message)), m_character(character), m_position(position)
    {}
    const char* ClassName() const noexcept override { return "EUnmappableCharacter"; }
    char32_t character() const noexcept { return m_character; }
    std::size_t position() const noexcept { return m_position; }

private:
    char32_t m_character;
    std::size_t m_position;
};

// Converts UTF-8 to Windows-1251, so that a typo in a table or an emoji in a
// parent's text cannot slip into a data folder as a question mark. Raises
// EUnmappableCharacter for a character outside it, and Exception for bytes
// that are not UTF-8.
std::string toWindows1251(std::string_view utf8);

// Joins the lines, each followed by CR LF, and converts them to Windows-1251.
std::string windows1251Lines(const std::vector<std::string>& utf8Lines);

// "U+1F349": how a character is named where it cannot be shown.
std::string codePointName(char32_t character);

} // namespace cp1251
