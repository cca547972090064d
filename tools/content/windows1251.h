// Turns UTF-8 texts into the bytes the program reads: text in the
// Windows-1251 code page with CR LF line ends. A character that has no
// Windows-1251 form is an error that says which character and where, so a
// typo in a table or an emoji in a parent's text cannot slip into the data
// folder as a question mark. Decoding is left to the program.
#pragma once

#include "platform/ui/exception.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// A character of the text that Windows-1251 cannot hold, with its place:
// the number of the character in the converted text, counted from 1.
class EUnmappableCharacter : public Exception {
public:
    EUnmappableCharacter(std::string message, char32_t character, std::size_t position)
        : Exception(std::move(message)), m_character(character), m_position(position)
    {
    }
    const char* ClassName() const noexcept override { return "EUnmappableCharacter"; }
    char32_t character() const noexcept { return m_character; }
    std::size_t position() const noexcept { return m_position; }

private:
    char32_t m_character;
    std::size_t m_position;
};

// Converts UTF-8 to Windows-1251. Raises EUnmappableCharacter for a
// character outside it, and Exception for bytes that are not UTF-8.
std::string toWindows1251(std::string_view utf8);

// Joins the lines, each followed by CR LF, and converts them to Windows-1251.
std::string windows1251Lines(const std::vector<std::string>& utf8Lines);

// "U+1F349": how a character is named where it cannot be shown.
std::string codePointName(char32_t character);

} // namespace content
