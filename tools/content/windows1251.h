// Turns the generator's UTF-8 texts into the bytes the program reads: text in
// the Windows-1251 code page with CR LF line ends. A character that has no
// Windows-1251 form is an error, so a typo in a table cannot slip into the
// data folder as a question mark. Decoding is left to the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace content {

// Converts UTF-8 to Windows-1251; raises Exception for a character outside it.
std::string toWindows1251(std::string_view utf8);

// Joins the lines, each followed by CR LF, and converts them to Windows-1251.
std::string windows1251Lines(const std::vector<std::string>& utf8Lines);

} // namespace content
