#include "app/stream_graphic.h"

#include "app/core/errors.h"

#include <QIODevice>

namespace {
// The length prefix of a picture's value in a picture stream.
constexpr qsizetype kLengthBytes = 4;
} // namespace

QByteArray readRemainingBytes(QIODevice& stream)
{
    const qint64 remaining = stream.size() - stream.pos();
    if (remaining <= 0)
        return {};
    QByteArray bytes = stream.read(remaining);
    if (bytes.size() < remaining)
        throw streamReadError();
    return bytes;
}

QByteArray lengthPrefixedBytes(const QByteArray& data)
{
    if (data.size() < kLengthBytes)
        throw streamReadError();
    quint32 length = 0;
    for (qsizetype i = kLengthBytes - 1; i >= 0; --i)
        length = (length << 8) | static_cast<unsigned char>(data[i]);
    if (length > static_cast<quint64>(data.size() - kLengthBytes))
        throw streamReadError();
    return data.mid(kLengthBytes, static_cast<qsizetype>(length));
}
