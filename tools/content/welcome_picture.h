// Paints the welcome page's picture: a bright sky with a rainbow and the sun,
// a big colourful "Привет!", and three alphabet blocks on a green hill with
// friendly animals beside them. Writing the file is the folder writer's job.
#pragma once

#include <QImage>

namespace content {

class EmojiPainter;

QImage paintWelcomePicture(const EmojiPainter& emoji);

} // namespace content
