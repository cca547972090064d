// Fuzzes the text loader's decoding and line splitting: a file's bytes become
// the text a text area shows. The result is checked against a plain model of
// the rules: the text ends at the first NUL, each CR LF, lone CR and lone LF is
// one line break, every other byte is one character (ASCII as itself, the
// Cyrillic letters as their capitals and smalls, a byte without a character as
// the replacement character). The text area must then show those same lines,
// or, for a text beyond its capacity, refuse it and stay as it was.
#include "app/text_lines.h"
#include "platform/exception/exception.h"
#include "platform/ui/memo.h"
#include "tests/fuzz/support/fuzz_application.h"
#include "tests/fuzz/support/fuzz_fault.h"

#include <QStringList>
#include <cstdint>

namespace {

// Windows-1251 has no character for this byte.
constexpr unsigned char kUnassignedByte = 0x98;

// Whether `c` can stand for `byte` by the rules above.
bool plausible(unsigned char byte, QChar c)
{
    if (byte < 0x80)
        return c.unicode() == byte;
    if (byte >= 0xC0)
        return c.unicode() == 0x0410 + (byte - 0xC0);
    if (byte == 0xA8)
        return c.unicode() == 0x0401;
    if (byte == 0xB8)
        return c.unicode() == 0x0451;
    if (byte == kUnassignedByte)
        return c == QChar::ReplacementCharacter;
    return c.unicode() >= 0x80;
}

void checkText(const QByteArray& bytes, const QString& text)
{
    qsizetype at = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0)
            break;
        if (at >= text.size())
            fuzzFault("the text is shorter than the bytes");
        if (byte == '\r' || byte == '\n') {
            if (text[at] != QLatin1Char('\n'))
                fuzzFault("a line break was not kept as one");
            if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (!plausible(byte, text[at])) {
            fuzzFault("a byte was decoded to the wrong character");
        }
        ++at;
    }
    if (at != text.size())
        fuzzFault("the text is longer than the bytes");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    startOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = textFromFileBytes(bytes);
    checkText(bytes, text);

    // A text area of each run's own: one kept across runs would hold the last
    // text, and the fuzzer scans for leaks after every run that ends holding
    // more memory than it began with.
    TMemo memo;
    if (text.size() > TMemo::kCapacity) {
        try {
            memo.setText(text);
        } catch (const EInvalidOperation&) {
            if (!memo.Text().isEmpty())
                fuzzFault("a refused text changed the text area");
            return 0;
        }
        fuzzFault("the text area took a text beyond its capacity");
    }
    memo.setText(text);
    if (memo.Text() != text)
        fuzzFault("the text area does not hold the text it was given");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast(); // a final line break makes no extra line
    if (memo.Lines() != lines)
        fuzzFault("the text area shows other lines");
    return 0;
}
