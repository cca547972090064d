#include "app/core/path_encoding.h"

#include <QStringView>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <memory>

namespace {

// A byte that is no part of a UTF-8 character is kept as U+DC00 + the byte: a
// lone low surrogate, which no character decodes to, so that it names its
// byte and nothing else. Such bytes are 0x80..0xFF, since ASCII is UTF-8.
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;
// U+FFFD in UTF-8, for a byte that means nothing in the character set.
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
// Room for the characters of one conversion step; the step is repeated until all are done.
constexpr std::size_t kConversionChunk = 256;

using Converter = std::unique_ptr<void, int (*)(iconv_t)>;

// The length of the well-formed UTF-8 character that starts at `at`, or 0 when
// none does: no overlong forms, no surrogates, nothing beyond U+10FFFF.
int utf8CharacterLength(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u; };
    const unsigned lead = byte(at);
    if (lead < 0x80)
        return 1;
    // The range of the second byte depends on the lead byte; later ones are 0x80..0xBF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    return length;
}

// Whether the code unit at `at` stands for a byte: an escape that does not
// end a surrogate pair.
bool isEscapedByte(const QString& path, qsizetype at)
{
    const char16_t unit = path[at].unicode();
    return unit >= kFirstEscape && unit <= kLastEscape && (at == 0 || !path[at - 1].isHighSurrogate());
}

char escapedByte(QChar escape) { return static_cast<char>(escape.unicode() - kEscapeBase); }

// Bytes read in the character set; a byte that means nothing there, or a
// character cut short, shows U+FFFD, and reading goes on after it.
QString textInCharset(const QByteArray& bytes, const char* charset)
{
    if (bytes.isEmpty())
        return {};
    const iconv_t opened = iconv_open("UTF-8", charset);
    if (opened == reinterpret_cast<iconv_t>(-1))
        return QString(bytes.size(), QChar::ReplacementCharacter);
    const Converter converter(opened, iconv_close);
    QByteArray utf8;
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    while (inLeft > 0) {
        char chunk[kConversionChunk];
        char* out = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t result = iconv(opened, &in, &inLeft, &out, &outLeft);
        utf8.append(chunk, out - chunk);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            utf8.append(kReplacementUtf8);
            ++in;
            --inLeft;
            iconv(opened, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return QString::fromUtf8(utf8);
}

} // namespace

QString pathFromBytes(const QByteArray& bytes)
{
    QString path;
    qsizetype textStart = 0;
    qsizetype at = 0;
    const auto takeText = [&] { path += QString::fromUtf8(bytes.constData() + textStart, at - textStart); };
    while (at < bytes.size()) {
        if (const int length = utf8CharacterLength(bytes, at)) {
            at += length;
            continue;
        }
        takeText();
        path += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
        textStart = ++at;
    }
    takeText();
    return path;
}

QByteArray pathBytes(const QString& path)
{
    QByteArray bytes;
    qsizetype textStart = 0;
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (!isEscapedByte(path, at))
            continue;
        bytes += QStringView(path).sliced(textStart, at - textStart).toUtf8();
        bytes += escapedByte(path[at]);
        textStart = at + 1;
    }
    bytes += QStringView(path).sliced(textStart).toUtf8();
    return bytes;
}

// The locale's character set is the one the environment chose, which the
// toolkit applied when the application was made.
QString displayPath(const QString& path) { return displayPath(path, nl_langinfo(CODESET)); }

// UTF-8 stays what it spells, whatever the locale: the program's own names
// (a letter's folder, "DATA") are UTF-8. Only the bytes that are no UTF-8 are
// the locale's to read.
QString displayPath(const QString& path, const char* charset)
{
    QString shown;
    QByteArray undecoded;
    for (qsizetype at = 0; at < path.size(); ++at) {
        if (isEscapedByte(path, at)) {
            undecoded += escapedByte(path[at]);
            continue;
        }
        shown += textInCharset(undecoded, charset);
        undecoded.clear();
        shown += path[at];
    }
    return shown + textInCharset(undecoded, charset);
}
