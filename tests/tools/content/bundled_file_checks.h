// Independent readers for checking the bundled data folder: they decode what
// the program will read (Windows-1251 text, JPEG, WAVE) with their own code
// rather than the generator's, so a fault in the generator cannot hide itself.
// Text is read with the program's own Windows-1251 decoder, as the program
// reads it, not with the encoder the generator writes with.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bundled {

std::string readBytes(const std::filesystem::path& path);

// True when the bytes are well-formed UTF-8 (plain ASCII is).
bool isUtf8(const std::string& bytes);

// Windows-1251 to UTF-8; nullopt when a byte has no character.
std::optional<std::string> fromWindows1251(const std::string& bytes);

// Splits at CR LF; nullopt when a lone CR or LF occurs. A final CR LF ends
// the last line and makes no extra one.
std::optional<std::vector<std::string>> splitCrLf(const std::string& text);

struct JpegFacts {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    bool baseline = false; // its frame header is SOF0
    double lumaSpread = 0; // standard deviation of the decoded grey values
};

// Decodes the whole picture; raises std::runtime_error with libjpeg's message.
JpegFacts decodeJpeg(const std::filesystem::path& path);

struct WaveFacts {
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint16_t bits = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t dataBytes = 0;
    bool sizesConsistent = false; // RIFF and data sizes agree with the file
    double seconds = 0;
    double rms = 0; // of the samples, full scale = 1
};

// Reads a RIFF/WAVE file; raises std::runtime_error for anything else.
WaveFacts inspectWave(const std::filesystem::path& path);

} // namespace bundled
