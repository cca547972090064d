// Writes a picture as a baseline JPEG file through libjpeg, in the form the
// program's built-in pictures have: 8-bit YCbCr, 4:2:0, a JFIF header at 120
// dots per inch. It only encodes; drawing the picture is the painters' job.
#pragma once

#include <QImage>
#include <filesystem>

namespace content {

// Quality high enough that large flat colours and sharp letter edges show no
// blocks, small enough that a page stays well under 100 KB.
constexpr int kDefaultJpegQuality = 90;

// Encodes the image (any format; alpha is dropped) and writes it to the path.
// Raises Exception when the file cannot be written or libjpeg fails.
void writeBaselineJpeg(const QImage& image, const std::filesystem::path& path, int quality = kDefaultJpegQuality);

} // namespace content
