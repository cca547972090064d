// The data folders the desktop tests start Tolvika with: a welcome page and
// all 33 letters, each page with its own text, a picture of its own colour
// and a short tone of its own pitch, so that a screenshot tells which picture
// is shown and a recording which sound was played. Sounds are short, since
// keys are ignored while one plays; a test changes single files to damage them.
#pragma once

#include "tests/support/content_folder.h"

#include <QColor>
#include <QString>
#include <memory>
#include <string>

namespace desktop {

// The letters in order (Ё after Е) and the X keysym of the key that carries
// each on the Russian layout, typed with a Latin layout.
extern const QString kLetters;
std::string keysymOf(const QString& letter);

// What each page holds: index 0 is the welcome page, 1..33 the letters.
QString pageText(int page);
QColor pageColour(int page);
int pageFrequency(int page);
int pageIndexOf(const QString& letter);

constexpr int kWelcomeMilliseconds = 300;
constexpr int kLetterMilliseconds = 250;
// The picture's size: well inside the picture area, so that it shows centred.
constexpr int kPictureWidth = 240;
constexpr int kPictureHeight = 160;

// A whole alphabet; `letterMilliseconds` is the length of every letter's sound.
std::unique_ptr<testcontent::ContentFolder> alphabetFolder(int letterMilliseconds = kLetterMilliseconds);

// A file of another kind with a JPEG's name: a bitmap, as a paint program saves it.
QByteArray bitmapBytes();

} // namespace desktop
