#include "platform/codepage/windows1251.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <memory>
#include <optional>
#include <type_traits>

namespace cp1251 {

namespace {

// Where the two halves of the code page meet: bytes below it are ASCII.
constexpr unsigned kUpperHalf = 0x80;

struct IconvCloser {
    void operator()(iconv_t cd) const noexcept { iconv_close(cd); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// glibc's iconv_open reports failure as (iconv_t)-1, not as a null handle.
IconvHandle openConverter(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

// The 128 characters of the upper half, built once with iconv; a byte that
// iconv cannot convert keeps U+FFFD.
const std::array<char16_t, kUpperHalf>& upperHalf()
{
    static const std::array<char16_t, kUpperHalf> table = [] {
        std::array<char16_t, kUpperHalf> result{};
        result.fill(u'\uFFFD');
        const IconvHandle cd = openConverter("UTF-16LE", "CP1251");
        if (!cd)
            return result;
        for (unsigned i = 0; i < kUpperHalf; ++i) {
            char in = static_cast<char>(kUpperHalf + i);
            unsigned char out[4] = {};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 1, outLeft = sizeof out;
            if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 2)
                result[i] = static_cast<char16_t>(out[0] | (out[1] << 8));
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
        return result;
    }();
    return table;
}

bool isContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct EncodedCharacter {
    char32_t value = 0;
    std::size_t length = 0; // bytes of its UTF-8 form
};

// The character whose UTF-8 form starts at `at`, when a well-formed one does.
std::optional<EncodedCharacter> characterAt(std::string_view utf8, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80)
        return EncodedCharacter{lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > utf8.size())
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[at + i]);
        if (!isContinuationByte(byte))
            return std::nullopt;
        value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    constexpr char32_t kShortestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kShortestOfLength[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return std::nullopt;
    return EncodedCharacter{value, length};
}

// Characters before byte `end`, plus one: the place of the character there.
std::size_t characterNumber(std::string_view utf8, std::size_t end)
{
    std::size_t count = 1;
    for (std::size_t i = 0; i < end; ++i)
        count += isContinuationByte(static_cast<unsigned char>(utf8[i])) ? 0 : 1;
    return count;
}

[[noreturn]] void raiseConversionError(std::string_view utf8, std::size_t at)
{
    const std::optional<EncodedCharacter> character = characterAt(utf8, at);
    if (!character)
        throw Exception("Not UTF-8 at byte " + std::to_string(at + 1) + " of the text: " + std::string(utf8));
    const std::size_t position = characterNumber(utf8, at);
    const std::string shown(utf8.substr(at, character->length));
    throw EUnmappableCharacter("No Windows-1251 form for \"" + shown + "\" (" + codePointName(character->value)
                                   + "), character " + std::to_string(position) + " of the text: " + std::string(utf8),
                               character->value, position);
}

} // namespace

std::optional<QString> decode(const QByteArray& bytes, UnassignedByte rule)
{
    const auto& high = upperHalf();
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const QChar character = value < kUpperHalf ? QChar(value) : QChar(high[value - kUpperHalf]);
        if (character == QChar::ReplacementCharacter && rule == UnassignedByte::Refuse)
            return std::nullopt;
        text.append(character);
    }
    return text;
}

QString decode(const QByteArray& bytes) { return *decode(bytes, UnassignedByte::Replace); }

std::optional<std::uint8_t> encodeChar(char32_t character)
{
    if (character < kUpperHalf)
        return static_cast<std::uint8_t>(character);
    const auto& high = upperHalf();
    for (unsigned i = 0; i < kUpperHalf; ++i)
        if (high[i] != u'\uFFFD' && high[i] == character)
            return static_cast<std::uint8_t>(kUpperHalf + i);
    return std::nullopt;
}

std::string codePointName(char32_t character)
{
    char name[16] = {};
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}

std::string toWindows1251(std::string_view utf8)
{
    const IconvHandle cd = openConverter("CP1251", "UTF-8");
    if (!cd)
        throw Exception("Cannot convert from UTF-8 to Windows-1251");
    // Windows-1251 never needs more bytes than UTF-8 for the same text.
    std::string out(utf8.size(), '\0');
    std::string in(utf8);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        if (errno == EILSEQ || errno == EINVAL)
            raiseConversionError(utf8, static_cast<std::size_t>(inPtr - in.data()));
        throw Exception("Cannot convert the text: " + std::string(utf8));
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string windows1251Lines(const std::vector<std::string>& utf8Lines)
{
    std::string joined;
    for (const std::string& line : utf8Lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            throw Exception("A line must not hold a line break: " + line);
        joined += line;
        joined += "\r\n";
    }
    return toWindows1251(joined);
}

} // namespace cp1251
