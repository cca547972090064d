#include "tests/tools/content/bundled_file_checks.h"

#include "platform/codepage/windows1251.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "platform/jpeg/decompressor.h"

namespace bundled {

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool isUtf8(const std::string& bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const int follow = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (follow < 0 || (follow == 1 && c < 0xC2))
            return false;
        for (int k = 1; k <= follow; ++k) {
            if (i + static_cast<size_t>(k) >= bytes.size()
                || (static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]) & 0xC0) != 0x80)
                return false;
        }
        i += static_cast<size_t>(follow) + 1;
    }
    return true;
}

std::optional<std::string> fromWindows1251(const std::string& bytes)
{
    const std::optional<QString> text = cp1251::decode(QByteArray::fromStdString(bytes),
                                                       cp1251::UnassignedByte::Refuse);
    if (!text)
        return std::nullopt;
    return text->toStdString();
}

std::optional<std::vector<std::string>> splitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            return std::nullopt;
        } else {
            line += text[i];
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

namespace {

std::uint32_t u32(const std::string& b, size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t u16(const std::string& b, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// The marker of the first frame header: 0xC0 (SOF0) for a baseline picture,
// 0xC1 extended, 0xC2 progressive; 0 when none comes before the scan data.
int frameMarker(const std::string& b)
{
    size_t at = 2; // after the start-of-image marker
    while (at + 4 <= b.size() && static_cast<unsigned char>(b[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(b[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        if (marker == 0xDA)
            return 0;
        const size_t length = static_cast<size_t>(static_cast<unsigned char>(b[at + 2])) << 8
            | static_cast<unsigned char>(b[at + 3]);
        at += 2 + length;
    }
    return 0;
}

} // namespace

JpegFacts decodeJpeg(const std::filesystem::path& path)
{
    const std::string bytes = readBytes(path);
    // Warnings (a truncated file among them) count as failures here.
    jpeg::Decompressor decompressor(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                    jpeg::Warnings::Fatal);
    decompressor.readHeader();
    const jpeg_decompress_struct& info = decompressor.info();

    JpegFacts facts;
    facts.width = static_cast<int>(info.image_width);
    facts.height = static_cast<int>(info.image_height);
    facts.components = info.num_components;
    facts.progressive = info.progressive_mode != 0;
    facts.baseline = frameMarker(bytes) == 0xC0;

    decompressor.info().out_color_space = JCS_GRAYSCALE;
    decompressor.start();
    std::vector<JSAMPLE> grey(std::size_t{info.output_width} * info.output_height);
    decompressor.readRows([&](JDIMENSION row) { return grey.data() + std::size_t{row} * info.output_width; });
    double sum = 0, sumSquares = 0;
    for (JSAMPLE v : grey) {
        sum += v;
        sumSquares += double(v) * v;
    }
    const double n = double(info.output_width) * info.output_height;
    facts.lumaSpread = std::sqrt(std::max(0.0, sumSquares / n - (sum / n) * (sum / n)));
    return facts;
}

WaveFacts inspectWave(const std::filesystem::path& path)
{
    const std::string b = readBytes(path);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        throw std::runtime_error(path.string() + " is not RIFF/WAVE");
    WaveFacts facts;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = u32(b, at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= b.size()) {
            facts.format = u16(b, body);
            facts.channels = u16(b, body + 2);
            facts.sampleRate = u32(b, body + 4);
            facts.bits = u16(b, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || facts.bits != 16 || facts.channels == 0)
                throw std::runtime_error(path.string() + ": data before a 16-bit format");
            facts.dataBytes = size;
            facts.sizesConsistent = body + size == b.size() && u32(b, 4) + 8 == b.size();
            const size_t count = std::min<size_t>(size, b.size() - body) / 2;
            double squares = 0;
            for (size_t i = 0; i < count; ++i) {
                const double s = static_cast<std::int16_t>(u16(b, body + 2 * i)) / 32768.0;
                squares += s * s;
            }
            facts.rms = count ? std::sqrt(squares / double(count)) : 0;
            facts.seconds = double(count) / facts.channels / facts.sampleRate;
            return facts;
        }
        at = body + size + (size & 1U);
    }
    throw std::runtime_error(path.string() + " has no data chunk");
}

} // namespace bundled
