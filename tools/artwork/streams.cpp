#include "tools/artwork/streams.h"

#include "tools/artwork/artwork_error.h"

#include <cstdint>
#include <limits>

namespace artwork {

namespace {

void putLength(QByteArray& out, qsizetype length)
{
    if (length < 0 || static_cast<std::uint64_t>(length) > std::numeric_limits<std::uint32_t>::max())
        throw EArtworkError("stream data too large");
    const auto value = static_cast<std::uint32_t>(length);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

QByteArray pictureStream(std::string_view className, const QByteArray& data)
{
    if (className.empty() || className.size() > 255)
        throw EArtworkError("picture class name must be 1 to 255 characters");
    QByteArray out;
    out.append(static_cast<char>(className.size()));
    out.append(className.data(), static_cast<qsizetype>(className.size()));
    putLength(out, data.size());
    out.append(data);
    return out;
}

QByteArray glyphStream(const QByteArray& bitmap)
{
    QByteArray out;
    putLength(out, bitmap.size());
    out.append(bitmap);
    return out;
}

} // namespace artwork
