#include "tools/page/png_chunks.h"

#include <QtEndian>

namespace {

constexpr qsizetype kSignatureBytes = 8;
// Length, type and checksum around each chunk's data.
constexpr qsizetype kLengthBytes = 4;
constexpr qsizetype kChunkOverhead = 12;
const QByteArray kSignature("\x89PNG\r\n\x1a\n", kSignatureBytes);

} // namespace

bool pngChunksFit(const QByteArray& bytes)
{
    if (!bytes.startsWith(kSignature))
        return true;
    qsizetype at = kSignatureBytes;
    while (at + kChunkOverhead <= bytes.size()) {
        const auto length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (static_cast<qint64>(length) > bytes.size() - at - kChunkOverhead)
            return false;
        if (bytes.mid(at + kLengthBytes, 4) == "IEND")
            return true;
        at += kChunkOverhead + static_cast<qsizetype>(length);
    }
    return false;
}
