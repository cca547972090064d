// Source files as a parent's phone leaves them, made on the spot with the
// machine's own tools (ImageMagick's convert, sox, the ffmpeg command and
// libheif's heif-enc), so that the page tool's tests read real files of
// every kind and no opaque binaries are kept. A picture is split into a red
// top half and a blue bottom half as it should be seen, so that a test can
// tell whether it came out upright; a voice memo is a tone between two
// stretches of silence, so that a test can tell what was trimmed.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace phonesources {

// The halves of every made-up photo, top and bottom as they should be seen.
inline const QColor kTopColour{220, 30, 30};
inline const QColor kBottomColour{30, 40, 210};

// Runs a program of the machine and waits for it; throws with its error
// output when it fails or is missing.
void runTool(const QString& program, const QStringList& arguments);

// The picture as it should be seen: red top half, blue bottom half.
QImage uprightPicture(QSize size);
// The same picture stored turned a quarter to the left, as a phone held
// upright stores it, for a file that asks to be turned right (orientation 6).
QImage storedForRightTurn(const QImage& upright);

// A JPEG file holding an EXIF block whose orientation tag is `orientation`
// (1 upright, 6 turn right, 3 upside down, 8 turn left), inserted after the
// start marker of `jpeg`.
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);
// A phone-style photo: `upright` stored turned, with orientation 6.
QByteArray rotatedPhonePhoto(QSize upright);
// A JPEG whose header claims `width` × `height` pixels; its scan is tiny.
QByteArray jpegClaimingSize(int width, int height);

// Writes `picture` as PNG at `path`, then has convert or heif-enc make
// `target` of the kind its extension says (".webp", ".gif", ".bmp", ".tif",
// ".heic"); extra convert arguments go before the target.
void convertPicture(const QImage& picture, const QString& target, const QStringList& extra = {});

struct MemoShape {
    double leadSilence = 0.8; // seconds
    double toneSeconds = 1.2;
    double tailSilence = 0.8;
    double volume = 0.5; // of full scale
    int rate = 44100;
    int channels = 2;
};
// A WAV memo of that shape made by sox.
void makeWavMemo(const QString& path, const MemoShape& shape = {});
// A memo in the kind the extension says: ".m4a" (AAC), ".ogg" (Opus),
// ".amr" (AMR narrowband), ".mp3", ".flac" or ".wav".
void makeMemo(const QString& path, const MemoShape& shape = {});

} // namespace phonesources
