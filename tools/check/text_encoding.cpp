#include "tools/check/text_encoding.h"

#include <QStringDecoder>

namespace {

// The byte-order mark some editors put at the start of a UTF-8 file.
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
// The lead bytes of the UTF-8 forms of U+0400..U+047F: every Russian letter.
constexpr char kCyrillicLeadLow = '\xD0';
constexpr char kCyrillicLeadHigh = '\xD1';

} // namespace

bool looksLikeUtf8(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8ByteOrderMark))
        return true;
    if (!bytes.contains(kCyrillicLeadLow) && !bytes.contains(kCyrillicLeadHigh))
        return false;
    // In valid UTF-8 every such lead byte is followed by its continuation byte,
    // so validity alone says the Cyrillic letters are UTF-8 sequences.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(bytes);
    return !decoder.hasError() && !decoded.isEmpty();
}
