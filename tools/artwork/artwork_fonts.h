// Loads the Liberation fonts the pictures are drawn with straight from their
// files, so that the output never depends on which font the system's font
// configuration would pick for a family name.
#pragma once

#include <QFont>
#include <QString>

namespace artwork {

// Where the Debian package of the Liberation fonts installs them.
inline constexpr const char* kLiberationFolder = "/usr/share/fonts/truetype/liberation/";

// The font in the given file of that folder (e.g. "LiberationSerif-Bold.ttf")
// at a pixel size, unhinted so that outlines are the same at any screen density.
// Raises EArtworkError when the file is missing or not a font.
QFont liberationFont(const QString& fileName, int pixelSize);

} // namespace artwork
