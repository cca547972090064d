#include "tools/artwork/jpeg_encoder.h"

#include "tools/artwork/artwork_error.h"

#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace artwork {

namespace {

// Output buffer size handed to the library between flushes.
constexpr std::size_t kOutputBlock = 4096;

[[noreturn]] void raiseJpegError(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*cinfo->err->format_message)(cinfo, text);
    throw EArtworkError(std::string("JPEG encoding failed: ") + text);
}

void ignoreJpegMessage(j_common_ptr) {}

// Collects the compressed bytes in a QByteArray.
struct ByteArrayDestination {
    jpeg_destination_mgr manager{};
    QByteArray* out = nullptr;
    unsigned char block[kOutputBlock] = {};
};

ByteArrayDestination* destinationOf(j_compress_ptr cinfo)
{
    return reinterpret_cast<ByteArrayDestination*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo)
{
    ByteArrayDestination* d = destinationOf(cinfo);
    d->manager.next_output_byte = d->block;
    d->manager.free_in_buffer = kOutputBlock;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    ByteArrayDestination* d = destinationOf(cinfo);
    d->out->append(reinterpret_cast<const char*>(d->block), static_cast<qsizetype>(kOutputBlock));
    initDestination(cinfo);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    ByteArrayDestination* d = destinationOf(cinfo);
    const std::size_t used = kOutputBlock - d->manager.free_in_buffer;
    d->out->append(reinterpret_cast<const char*>(d->block), static_cast<qsizetype>(used));
}

struct CompressDeleter {
    void operator()(jpeg_compress_struct* cinfo) const { jpeg_destroy_compress(cinfo); }
};

} // namespace

QByteArray encodeJpeg(const QImage& picture, const JpegSettings& settings)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray out;

    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = raiseJpegError;
    errors.output_message = ignoreJpegMessage;
    jpeg_create_compress(&cinfo);
    const std::unique_ptr<jpeg_compress_struct, CompressDeleter> guard(&cinfo);

    ByteArrayDestination destination;
    destination.out = &out;
    destination.manager.init_destination = initDestination;
    destination.manager.empty_output_buffer = emptyOutputBuffer;
    destination.manager.term_destination = termDestination;
    cinfo.dest = &destination.manager;

    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, JCS_YCbCr);
    jpeg_set_quality(&cinfo, settings.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;  // the exact integer transform: same bytes with or without SIMD
    cinfo.optimize_coding = FALSE;  // keep the standard Huffman tables
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = settings.jfifMinorVersion;
    cinfo.density_unit = settings.densityUnit;
    cinfo.X_density = settings.xDensity;
    cinfo.Y_density = settings.yDensity;
    cinfo.write_Adobe_marker = FALSE;

    jpeg_start_compress(&cinfo, TRUE);
    if (!settings.comment.empty()) {
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(settings.comment.data()),
                          static_cast<unsigned int>(settings.comment.size()));
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return out;
}

} // namespace artwork
