#include "tools/artwork/jpeg_encoder.h"

#include "platform/jpeg/compressor.h"
#include "tools/artwork/artwork_error.h"

#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace artwork {

QByteArray encodeJpeg(const QImage& picture, const JpegSettings& settings)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    try {
        jpeg::Compressor compressor({rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), 3});
        jpeg_compress_struct& info = compressor.info();
        jpeg_set_colorspace(&info, JCS_YCbCr);
        compressor.setQuality(settings.quality);
        info.dct_method = JDCT_ISLOW; // the exact integer transform: same bytes with or without SIMD
        info.optimize_coding = FALSE; // keep the standard Huffman tables
        info.comp_info[0].h_samp_factor = 2;
        info.comp_info[0].v_samp_factor = 2;
        for (int c = 1; c < 3; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
        info.write_JFIF_header = TRUE;
        info.JFIF_major_version = 1;
        info.JFIF_minor_version = settings.jfifMinorVersion;
        info.density_unit = settings.densityUnit;
        info.X_density = settings.xDensity;
        info.Y_density = settings.yDensity;
        info.write_Adobe_marker = FALSE;
        compressor.setComment(settings.comment);
        const std::vector<std::uint8_t> bytes = compressor.compress();
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    } catch (const jpeg::Error& error) {
        throw EArtworkError(std::string("JPEG encoding failed: ") + error.what());
    }
}

} // namespace artwork
