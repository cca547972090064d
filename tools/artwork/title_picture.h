// The two built-in pictures. The title picture shows the program's name in
// large red and blue three-dimensional capitals in two rows on white, each
// letter with a small everyday object beside it, and in the middle a child
// lying beside a large silver robot dog. The fallback picture is the same
// picture faded almost to white with "Invalid" over "image" in red.
#pragma once

#include <QImage>

namespace artwork {

// Size of both built-in pictures.
inline constexpr int kPictureWidth = 592;
inline constexpr int kPictureHeight = 419;

QImage titlePicture();
QImage fallbackPicture(const QImage& title);

} // namespace artwork
