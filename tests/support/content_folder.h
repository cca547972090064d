// A data folder made on the spot in a temporary directory, laid out as the
// program reads it: pages of Windows-1251 text, one-colour JPEG pictures and
// short WAV sounds of one constant level, so that a test can tell from a
// painted pixel whose picture is on screen and from the samples that reached
// the output whose sound was played. It also lists itself with sizes and
// times, to show that the program wrote nothing there.
#pragma once

#include "tests/support/content_files.h"
#include "tests/support/jpeg_encoding.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

namespace testcontent {

// What one page of a made-up folder holds.
struct PageContent {
    QStringList lines;
    QColor colour;
    std::int16_t level = 0; // every sample of its sound
    int frames = 0; // length of its sound at kSoundRate
};

// The rate of the made-up sounds: one frame a millisecond, the rate of the
// fake output, so that frames pass to it unchanged.
constexpr int kSoundRate = 1000;
// The size of the made-up pictures: small, and well inside the picture area.
constexpr QSize kPictureSize{16, 12};

class ContentFolder {
public:
    // An empty folder holding only its marker file "data.txt": a temporary
    // one, or `root` (made if missing), which the caller then cleans up.
    explicit ContentFolder(const QString& root = QString());

    // The folder with its final "/", as DataFolder holds it.
    QString path() const;
    // The marker file a person would pick in the folder dialog.
    QString markerFile() const { return path() + QStringLiteral("data.txt"); }
    QString filePath(const QString& relative) const { return path() + relative; }

    // "Main/welcome_*" or "<letter>/letter_*", each of the three files.
    void writeWelcome(const PageContent& page);
    void writeLetter(const QString& letter, const PageContent& page);
    // "help.txt".
    void writeHelp(const QStringList& lines);

    void writeText(const QString& relative, const QStringList& lines);
    void writePicture(const QString& relative, const QColor& colour);
    void writeSound(const QString& relative, std::int16_t level, int frames);
    void writeBytes(const QString& relative, const QByteArray& bytes);
    void makeDirectory(const QString& relative);
    void makeFifo(const QString& relative);

    // Every entry below the folder with its kind, size, permissions and
    // modification and change times, one line each, sorted.
    QStringList listing() const;

private:
    std::unique_ptr<QTemporaryDir> m_temporary; // none for a given root
    QString m_root; // without its final "/"
};

// A JPEG of one colour.
QByteArray solidJpeg(const QColor& colour, QSize size = kPictureSize);

// A 16-bit PCM WAV of `frames` frames, every sample `level`.
QByteArray constantWav(std::int16_t level, int frames, int rate = kSoundRate, int channels = 1);

} // namespace testcontent
