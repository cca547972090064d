#include "tools/check/jpeg_markers.h"

#include <cstdint>

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
// Markers that stand alone, without a length: the restart markers and TEM.
constexpr std::uint8_t kFirstRestart = 0xD0;
constexpr std::uint8_t kLastRestart = 0xD7;
constexpr std::uint8_t kTemporary = 0x01;
// In a scan's data, FF 00 is a stuffed FF byte, not a marker.
constexpr std::uint8_t kStuffedZero = 0x00;

class ByteWalk {
public:
    explicit ByteWalk(const QByteArray& bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_position >= m_bytes.size(); }
    std::uint8_t at(qsizetype offset = 0) const { return static_cast<std::uint8_t>(m_bytes[m_position + offset]); }
    bool has(qsizetype count) const { return m_position + count <= m_bytes.size(); }
    void skip(qsizetype count) { m_position += count; }

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};

bool isStandalone(std::uint8_t marker)
{
    return marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart);
}

// Moves past a scan's entropy-coded data to the FF of the marker that ends it;
// false when the bytes end first.
bool skipScanData(ByteWalk& walk)
{
    while (walk.has(2)) {
        if (walk.at() != kMarkerPrefix) {
            walk.skip(1);
            continue;
        }
        const std::uint8_t next = walk.at(1);
        if (next == kStuffedZero || (next >= kFirstRestart && next <= kLastRestart))
            walk.skip(2);
        else if (next == kMarkerPrefix)
            walk.skip(1); // a fill byte before the marker
        else
            return true;
    }
    return false;
}

} // namespace

bool jpegEndsEarly(const QByteArray& bytes)
{
    ByteWalk walk(bytes);
    if (!walk.has(2) || walk.at() != kMarkerPrefix || walk.at(1) != kStartOfImage)
        return false;
    walk.skip(2);
    for (;;) {
        // Like the decoder, pass over stray bytes and fill bytes up to the next marker.
        while (!walk.atEnd() && walk.at() != kMarkerPrefix)
            walk.skip(1);
        while (walk.has(2) && walk.at(1) == kMarkerPrefix)
            walk.skip(1);
        if (!walk.has(2))
            return true;
        const std::uint8_t marker = walk.at(1);
        walk.skip(2);
        if (marker == kEndOfImage)
            return false;
        if (isStandalone(marker))
            continue;
        if (!walk.has(2))
            return true;
        const int length = (walk.at() << 8) | walk.at(1);
        if (length < 2)
            return false; // a broken segment: the loader reports that
        if (!walk.has(length))
            return true;
        walk.skip(length);
        if (marker == kStartOfScan && !skipScanData(walk))
            return true;
    }
}
