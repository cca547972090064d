#include "tools/content/jpeg_writer.h"

#include "platform/exception/exception.h"
#include "platform/jpeg/compressor.h"

#include <cstdio>
#include <memory>
#include <string>

namespace content {

namespace {

// The density the program's layouts are designed for.
constexpr UINT16 kJfifDotsPerInch = 120;

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

std::vector<std::uint8_t> encode(const QImage& rgb, int quality)
{
    try {
        jpeg::Compressor compressor({rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), 3});
        jpeg_compress_struct& info = compressor.info();
        // The defaults: baseline, YCbCr, 4:2:0.
        compressor.setQuality(quality);
        info.write_JFIF_header = TRUE;
        info.density_unit = 1; // dots per inch
        info.X_density = kJfifDotsPerInch;
        info.Y_density = kJfifDotsPerInch;
        info.optimize_coding = TRUE; // still baseline; only smaller Huffman tables
        return compressor.compress();
    } catch (const jpeg::Error& error) {
        throw Exception(std::string("JPEG encoding failed: ") + error.what());
    }
}

} // namespace

void writeBaselineJpeg(const QImage& image, const std::filesystem::path& path, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw Exception("Cannot encode an empty picture: " + path.string());

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw Exception("Cannot create file " + path.string());
    const std::vector<std::uint8_t> bytes = encode(rgb, quality);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0
        || std::ferror(file.get()))
        throw Exception("Cannot write file " + path.string());
}

} // namespace content
