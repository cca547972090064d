#include "bench/memo_layout/text_shapes.h"

#include "platform/codepage/windows1251.h"

#include <QFontMetrics>

namespace bench {

namespace {

// The first byte that stands for a printable character; below it lie the control codes.
constexpr int kFirstPrintable = 0x20;
constexpr int kByteCount = 256;
constexpr qsizetype kWordLength = 5;
constexpr qsizetype kShortLineLength = 20;

QByteArray repeated(const QByteArray& unit, qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size + unit.size());
    while (bytes.size() < size)
        bytes += unit;
    bytes.truncate(size);
    return bytes;
}

} // namespace

std::uint8_t widestByte(const QFont& font)
{
    const QFontMetrics metrics(font);
    int widest = kFirstPrintable;
    int widestAdvance = 0;
    for (int byte = kFirstPrintable; byte < kByteCount; ++byte) {
        const int advance = metrics.horizontalAdvance(cp1251::decode(QByteArray(1, static_cast<char>(byte))));
        if (advance > widestAdvance) {
            widest = byte;
            widestAdvance = advance;
        }
    }
    return static_cast<std::uint8_t>(widest);
}

QByteArray oneLineOf(std::uint8_t byte, qsizetype size) { return QByteArray(size, static_cast<char>(byte)); }

QByteArray wordsOf(std::uint8_t byte, qsizetype size)
{
    return repeated(QByteArray(kWordLength, static_cast<char>(byte)) + ' ', size);
}

QByteArray shortLinesOf(std::uint8_t byte, qsizetype size)
{
    return repeated(QByteArray(kShortLineLength, static_cast<char>(byte)) + "\r\n", size);
}

} // namespace bench
