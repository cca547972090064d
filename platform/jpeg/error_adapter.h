// libjpeg's error manager made to fit C++: a fatal error throws jpeg::Error
// (carrying the library's message code and text) instead of the library's
// default exit() of the whole process, and warnings and trace messages stay
// off stderr, or, where a caller asks for it, a warning fails like an error.
// The exception unwinds through libjpeg's frames (its build has unwind
// tables), so no setjmp is needed; destroying the library's object is left to
// its RAII holder (Compressor, Decompressor).
#pragma once

// jpeglib.h uses FILE and size_t without including their headers.
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace jpeg {

// A fatal libjpeg error (or a warning the caller treats as one).
class Error : public std::runtime_error {
public:
    Error(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    // The library's message code (JERR_..., or JWRN_... for a fatal warning).
    int code() const noexcept { return m_code; }

private:
    int m_code;
};

// What a warning does: most readers take what the library salvages; a check
// of files that must be whole treats a warning (a truncated file) as a failure.
enum class Warnings { Ignored, Fatal };

// Fills `manager` with the library's defaults, then with the routines below.
void useErrorAdapter(jpeg_error_mgr& manager, Warnings warnings = Warnings::Ignored);

// The pieces, for a caller that keeps an error manager of its own.
[[noreturn]] void throwError(j_common_ptr info);
void ignoreMessage(j_common_ptr info, int level);
void failOnWarning(j_common_ptr info, int level);
void ignoreOutput(j_common_ptr info);

} // namespace jpeg
