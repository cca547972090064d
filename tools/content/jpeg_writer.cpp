#include "tools/content/jpeg_writer.h"

#include "platform/exception/exception.h"

#include <cstdio>
#include <memory>
#include <string>

#include <jpeglib.h>

namespace content {

namespace {

// The density the program's layouts are designed for.
constexpr UINT16 JfifDotsPerInch = 120;

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

struct CompressorDestroyer {
    void operator()(jpeg_compress_struct* c) const noexcept { jpeg_destroy_compress(c); }
};

[[noreturn]] void raiseJpegError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    throw Exception(std::string("JPEG encoding failed: ") + text);
}

void ignoreMessage(j_common_ptr, int) {}

} // namespace

void writeBaselineJpeg(const QImage& image, const std::filesystem::path& path, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw Exception("Cannot encode an empty picture: " + path.string());

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw Exception("Cannot create file " + path.string());

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = raiseJpegError;
    errors.emit_message = ignoreMessage;
    jpeg_create_compress(&info);
    std::unique_ptr<jpeg_compress_struct, CompressorDestroyer> guard(&info);

    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info); // baseline, YCbCr, 4:2:0, optimised tables off
    jpeg_set_quality(&info, quality, TRUE);
    info.write_JFIF_header = TRUE;
    info.density_unit = 1; // dots per inch
    info.X_density = JfifDotsPerInch;
    info.Y_density = JfifDotsPerInch;
    info.optimize_coding = TRUE; // still baseline; only smaller Huffman tables

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg's interface takes a non-const row; it only reads it.
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);

    if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
        throw Exception("Cannot write file " + path.string());
}

} // namespace content
