#include "platform/ui/ansi_codepage.h"

#include <array>
#include <iconv.h>

namespace {

// The 128 characters of the upper half, built once with iconv; a byte that
// iconv cannot convert keeps U+FFFD.
const std::array<char16_t, 128>& upperHalf()
{
    static const std::array<char16_t, 128> table = [] {
        std::array<char16_t, 128> result{};
        result.fill(u'\uFFFD');
        iconv_t cd = iconv_open("UTF-16LE", "CP1251");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return result;
        for (int i = 0; i < 128; ++i) {
            char in = static_cast<char>(0x80 + i);
            unsigned char out[4] = {};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 1, outLeft = sizeof out;
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 2)
                result[i] = static_cast<char16_t>(out[0] | (out[1] << 8));
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        iconv_close(cd);
        return result;
    }();
    return table;
}

} // namespace

namespace ansi {

QString decode(const QByteArray& bytes)
{
    const auto& high = upperHalf();
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(value < 0x80 ? QChar(value) : QChar(high[value - 0x80]));
    }
    return text;
}

std::optional<std::uint8_t> encodeChar(char32_t character)
{
    if (character < 0x80)
        return static_cast<std::uint8_t>(character);
    const auto& high = upperHalf();
    for (int i = 0; i < 128; ++i)
        if (high[i] != u'\uFFFD' && high[i] == character)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

} // namespace ansi
