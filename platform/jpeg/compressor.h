// One libjpeg compressor into bytes in memory, destroyed with its scope
// whatever happens, with the shared error adapter. It takes rows of 8-bit
// samples, grey or RGB, and starts from the library's default settings for
// them (baseline, YCbCr or grey, 4:2:0); callers adjust the rest (quality,
// sampling, header fields, progression) through info() before compress().
#pragma once

#include "platform/jpeg/error_adapter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jpeg {

// The picture to compress: `height` rows of `width` pixels, `bytesPerRow`
// apart, of `components` 8-bit samples each (1 grey, 3 red-green-blue).
struct Raster {
    const unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t bytesPerRow = 0;
    int components = 3;
};

class Compressor {
public:
    // The raster must outlive the compressor. Raises jpeg::Error when libjpeg
    // refuses it, std::invalid_argument for a sample count other than 1 or 3.
    explicit Compressor(const Raster& raster);
    ~Compressor();
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct& info() { return m_info; }

    // Scales the library's quantisation tables to `quality`, kept baseline.
    void setQuality(int quality);
    // Written as a COM segment after the headers; none when empty.
    void setComment(std::string comment) { m_comment = std::move(comment); }

    // Compresses the whole raster once and returns the file's bytes.
    std::vector<std::uint8_t> compress();

private:
    // Creates the library's object; the public constructor then finishes the
    // set-up, so that a failure there still destroys it.
    Compressor(const Raster& raster, J_COLOR_SPACE colourSpace);

    // The library's destination over a growing byte vector; the library's part
    // first, so that its pointer is also ours.
    struct Destination {
        static constexpr std::size_t kBlockBytes = 4096; // handed to the library between flushes
        jpeg_destination_mgr manager{};
        std::vector<std::uint8_t> bytes;
        std::uint8_t block[kBlockBytes] = {};
    };
    static void initDestination(j_compress_ptr info);
    static boolean emptyOutputBuffer(j_compress_ptr info);
    static void termDestination(j_compress_ptr info);

    Raster m_raster;
    std::string m_comment;
    Destination m_destination;
    jpeg_error_mgr m_errors{};
    jpeg_compress_struct m_info{};
};

} // namespace jpeg
