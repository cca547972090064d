#include "platform/jpeg/compressor.h"

namespace jpeg {

namespace {

J_COLOR_SPACE colourSpaceOf(int components)
{
    if (components == 1)
        return JCS_GRAYSCALE;
    if (components == 3)
        return JCS_RGB;
    throw std::invalid_argument("a raster of " + std::to_string(components) + " samples a pixel");
}

} // namespace

Compressor::Compressor(const Raster& raster, J_COLOR_SPACE colourSpace) : m_raster(raster)
{
    useErrorAdapter(m_errors);
    m_info.err = &m_errors;
    jpeg_create_compress(&m_info);
    m_info.in_color_space = colourSpace;
}

Compressor::Compressor(const Raster& raster) : Compressor(raster, colourSpaceOf(raster.components))
{
    m_destination.manager.init_destination = initDestination;
    m_destination.manager.empty_output_buffer = emptyOutputBuffer;
    m_destination.manager.term_destination = termDestination;
    m_info.dest = &m_destination.manager;
    m_info.image_width = static_cast<JDIMENSION>(raster.width);
    m_info.image_height = static_cast<JDIMENSION>(raster.height);
    m_info.input_components = raster.components;
    jpeg_set_defaults(&m_info);
}

Compressor::~Compressor() { jpeg_destroy_compress(&m_info); }

void Compressor::setQuality(int quality) { jpeg_set_quality(&m_info, quality, TRUE); }

std::vector<std::uint8_t> Compressor::compress()
{
    m_destination.bytes.clear();
    jpeg_start_compress(&m_info, TRUE);
    if (!m_comment.empty()) {
        jpeg_write_marker(&m_info, JPEG_COM, reinterpret_cast<const JOCTET*>(m_comment.data()),
                          static_cast<unsigned int>(m_comment.size()));
    }
    while (m_info.next_scanline < m_info.image_height) {
        // libjpeg's interface takes a non-const row; it only reads it.
        JSAMPROW row = const_cast<JSAMPROW>(m_raster.pixels + m_raster.bytesPerRow * m_info.next_scanline);
        jpeg_write_scanlines(&m_info, &row, 1);
    }
    jpeg_finish_compress(&m_info);
    return std::move(m_destination.bytes);
}

void Compressor::initDestination(j_compress_ptr info)
{
    auto& destination = *reinterpret_cast<Destination*>(info->dest);
    destination.manager.next_output_byte = destination.block;
    destination.manager.free_in_buffer = Destination::kBlockBytes;
}

boolean Compressor::emptyOutputBuffer(j_compress_ptr info)
{
    auto& destination = *reinterpret_cast<Destination*>(info->dest);
    destination.bytes.insert(destination.bytes.end(), destination.block, destination.block + Destination::kBlockBytes);
    initDestination(info);
    return TRUE;
}

void Compressor::termDestination(j_compress_ptr info)
{
    auto& destination = *reinterpret_cast<Destination*>(info->dest);
    const std::size_t used = Destination::kBlockBytes - destination.manager.free_in_buffer;
    destination.bytes.insert(destination.bytes.end(), destination.block, destination.block + used);
}

} // namespace jpeg
