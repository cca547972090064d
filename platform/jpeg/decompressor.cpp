#include "platform/jpeg/decompressor.h"

namespace jpeg {

Decompressor::Decompressor(jpeg_error_mgr* callersErrors, Warnings warnings)
{
    if (callersErrors) {
        m_info.err = callersErrors;
    } else {
        useErrorAdapter(m_ownErrors, warnings);
        m_info.err = &m_ownErrors;
    }
    jpeg_create_decompress(&m_info);
}

Decompressor::Decompressor(const unsigned char* data, std::size_t size, Warnings warnings)
    : Decompressor(nullptr, warnings)
{
    jpeg_mem_src(&m_info, data, static_cast<unsigned long>(size));
}

Decompressor::Decompressor(jpeg_error_mgr& errors, jpeg_source_mgr& source) : Decompressor(&errors, Warnings::Ignored)
{
    m_info.src = &source;
}

Decompressor::~Decompressor() { jpeg_destroy_decompress(&m_info); }

void Decompressor::readHeader() { jpeg_read_header(&m_info, TRUE); }

void Decompressor::start() { jpeg_start_decompress(&m_info); }

void Decompressor::readRows(const std::function<JSAMPROW(JDIMENSION row)>& rowAt)
{
    while (m_info.output_scanline < m_info.output_height) {
        JSAMPROW row = rowAt(m_info.output_scanline);
        jpeg_read_scanlines(&m_info, &row, 1);
    }
    jpeg_finish_decompress(&m_info);
}

} // namespace jpeg
