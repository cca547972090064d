// Windows-1251, the code page of the content files and of typed characters.
// Text inside the program is Unicode; these two conversions are the borders.
// Decoding never fails: a byte with no character (0x98) becomes U+FFFD.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace ansi {

QString decode(const QByteArray& bytes);
// The Windows-1251 byte of one character; empty when it has none.
std::optional<std::uint8_t> encodeChar(char32_t character);

} // namespace ansi
