// Content files for tests that build a data folder on the spot: texts in
// Windows-1251, WAV files of the common encodings, the built-in picture's JPEG
// bytes, and writing them. Made from code, so that no opaque binaries are kept.
#pragma once

#include "tests/support/wav_files.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace testcontent {

// The Windows-1251 bytes of a text; a character with no Windows-1251 form
// is a mistake of the test and throws.
QByteArray windows1251(const QString& text);

// A square-wave tone `milliseconds` long in that format (PCM of 8 or 16 bits,
// 32-bit float, or a companded 8-bit encoding); an encoding other than PCM
// carries the extension size field, empty unless the format gives one.
QByteArray toneWav(const WavFormat& format, int milliseconds);

// A 16-bit mono PCM sine tone, so that a recording of what was played tells
// one sound from another by its pitch.
QByteArray sineWav(int frequency, int milliseconds, int rate = 22050, int amplitude = 8000);

// The JPEG file inside the built-in fallback picture (592 x 419, baseline).
QByteArray builtInJpeg();

} // namespace testcontent
