// The complete set of built-in resource files the generator makes, as bytes
// with their paths relative to the repository root, and the step that writes
// them. Generating is pure: the same build gives the same bytes on every run.
// Needs a QGuiApplication (fonts and painting).
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace artwork {

struct ArtworkFile {
    QString relativePath; // e.g. "windows/resources/pictures/title.picture"
    QByteArray bytes;
};

// Quality settings of the two JPEG pictures.
inline constexpr int kTitleQuality = 75;
inline constexpr int kFallbackQuality = 75;
// The comment written into the fallback picture, naming what made it.
inline constexpr const char* kFallbackComment = "tolvika-artwork";

std::vector<ArtworkFile> generateArtwork();

// Writes every file below `root`, creating folders as needed; raises
// EArtworkError when a file cannot be written.
void writeArtwork(const QString& root, const std::vector<ArtworkFile>& files);

} // namespace artwork
