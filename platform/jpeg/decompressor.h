// One libjpeg decompressor, destroyed with its scope whatever happens. Over
// bytes in memory it brings the shared error adapter and the library's memory
// source; a reader with rules of its own (its own error codes, its own way of
// feeding the data) hands in its error and source managers instead. Choosing
// the output (colour space, scaling, DCT) is left to the caller through info().
#pragma once

#include "platform/jpeg/error_adapter.h"

#include <functional>

namespace jpeg {

class Decompressor {
public:
    // Over `size` bytes at `data`, which must outlive the decompressor.
    Decompressor(const unsigned char* data, std::size_t size, Warnings warnings = Warnings::Ignored);
    // With the caller's error manager, already filled in, and source manager;
    // both must outlive the decompressor.
    Decompressor(jpeg_error_mgr& errors, jpeg_source_mgr& source);
    ~Decompressor();
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct& info() { return m_info; }

    // Reads the header, up to the first scan.
    void readHeader();
    // Starts decoding with the settings in info(); the output's size is known then.
    void start();
    // Writes each output row left into the buffer rowAt(row) gives, one row
    // at a time, and finishes.
    void readRows(const std::function<JSAMPROW(JDIMENSION row)>& rowAt);

private:
    // Creates the library's object with the caller's error manager, or the
    // shared adapter when there is none; the public constructors then finish
    // the set-up, so that a failure there still destroys it.
    Decompressor(jpeg_error_mgr* callersErrors, Warnings warnings);

    jpeg_error_mgr m_ownErrors{};
    jpeg_decompress_struct m_info{};
};

} // namespace jpeg
