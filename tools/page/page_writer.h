// Writes a page's converted files into its folder as one change: the folder
// is made when missing, every file is staged beside its final name, the
// sound is first opened with the program's own WAV decoder, and only then
// are the files swapped in. Any failure leaves the folder exactly as it was.
#pragma once

#include "browser/content_page.h"
#include "tools/content/wave_clip.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

// What the page gets; a part left empty is not touched.
struct PageFiles {
    std::optional<QImage> picture; // already fitted to the picture area
    std::optional<QByteArray> text; // Windows-1251 bytes
    std::optional<content::WaveClip> sound;
};

// Writes the given parts to `paths` in `pageFolder`; returns the paths
// written. Raises EPageRefused saying that nothing was changed.
QStringList writePageFiles(const QString& pageFolder, const ContentPage& paths, const PageFiles& files);

// The path in the form the file system takes.
std::filesystem::path nativePath(const QString& path);
