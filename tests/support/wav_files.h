// WAV files for tests, made from code: the one writer of the RIFF header, the
// format chunk and the data chunk, for well-formed files of every encoding
// and for the damaged ones tests need (a misstated block size, a data chunk
// that claims more than the file holds, a format no decoder knows).
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace testcontent {

// The format chunk.
struct WavFormat {
    std::uint16_t tag = 1; // 1 PCM, 3 float, 6 A-law, 7 mu-law, 0x02 and 0x11 ADPCM, or any number
    std::uint16_t channels = 1;
    std::uint32_t rate = 1000;
    std::uint16_t bits = 16;
    std::uint16_t blockAlign = 0; // 0: channels x bits / 8
    std::vector<std::uint8_t> extension{}; // bytes after the 16 basic ones, their size field included
};

// RIFF header, format chunk and data chunk, the data padded to an even length.
// A non-zero `claimedDataBytes` is written as the data chunk's size instead of
// the real one (a file cut short).
std::vector<std::uint8_t> wavBytes(const WavFormat& format, const std::vector<std::uint8_t>& data,
                                   std::uint32_t claimedDataBytes = 0);
QByteArray wavFile(const WavFormat& format, const QByteArray& data, std::uint32_t claimedDataBytes = 0);

} // namespace testcontent
