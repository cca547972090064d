// Frames finished files the way the main window's stored layout holds them:
// a picture stream (class name with its length byte, then the data with a
// 32-bit little-endian length) and a glyph stream (a 32-bit little-endian
// length, then the bitmap file). The files themselves are made elsewhere.
#pragma once

#include <QByteArray>
#include <string_view>

namespace artwork {

// The class name under which the built-in JPEG pictures are stored.
inline constexpr std::string_view kJpegPictureClass = "TJPEGImage";

QByteArray pictureStream(std::string_view className, const QByteArray& data);
QByteArray glyphStream(const QByteArray& bitmap);

} // namespace artwork
