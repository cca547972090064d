// Paints the picture of one letter's page: the letter in both cases, big, on
// a white card, the picture of its word beside it and the word underneath
// with the letter picked out in colour. Encoding and writing the file are
// left to the folder writer.
#pragma once

#include "tools/content/alphabet.h"

#include <QImage>

namespace content {

class EmojiPainter;

QImage paintLetterPicture(const LetterEntry& letter, int index, const EmojiPainter& emoji);

} // namespace content
