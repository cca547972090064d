#include "tests/support/wav_files.h"

namespace testcontent {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Byte by byte: gcc 12 at -O2 warns falsely about a ranged insert into a vector this small.
void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

std::vector<std::uint8_t> wavBytes(const WavFormat& format, const std::vector<std::uint8_t>& data,
                                   std::uint32_t claimedDataBytes)
{
    std::vector<std::uint8_t> fmt;
    const std::uint16_t blockAlign = format.blockAlign ? format.blockAlign
                                                       : static_cast<std::uint16_t>(format.channels * format.bits / 8);
    put16(fmt, format.tag);
    put16(fmt, format.channels);
    put32(fmt, format.rate);
    put32(fmt, format.rate * blockAlign);
    put16(fmt, blockAlign);
    put16(fmt, format.bits);
    append(fmt, format.extension);

    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    const std::size_t padding = data.size() % 2;
    put32(out, static_cast<std::uint32_t>(4 + 8 + fmt.size() + 8 + data.size() + padding));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, static_cast<std::uint32_t>(fmt.size()));
    append(out, fmt);
    putTag(out, "data");
    put32(out, claimedDataBytes ? claimedDataBytes : static_cast<std::uint32_t>(data.size()));
    append(out, data);
    if (padding)
        out.push_back(0);
    return out;
}

QByteArray wavFile(const WavFormat& format, const QByteArray& data, std::uint32_t claimedDataBytes)
{
    const std::vector<std::uint8_t> bytes = wavBytes(format, {data.begin(), data.end()}, claimedDataBytes);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

} // namespace testcontent
