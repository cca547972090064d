// What the page tool's tests read back from the files it wrote: the JPEG's
// frame header (baseline or not, size, chroma sampling), the WAV's format
// and samples, and a snapshot of a whole folder (names, sizes, times and
// bytes) to show that a refused run changed nothing.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace pageoutputs {

struct JpegFrame {
    bool baseline = false; // a start-of-frame 0 marker
    QSize size;
    int components = 0;
    int lumaSampling = 0; // 0x22 for 4:2:0
    int chromaSampling = 0; // 0x11
};
// The first frame header of the bytes; all zero when there is none.
JpegFrame jpegFrame(const QByteArray& jpeg);

struct WavFacts {
    int format = 0; // 1 for PCM
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;
    double seconds() const { return rate > 0 && channels > 0 ? double(samples.size()) / channels / rate : 0.0; }
};
// The canonical 44-byte-header WAV that the tool writes; all zero otherwise.
WavFacts wavFacts(const QByteArray& wav);

// Every entry below `folder` (relative path) with its kind, size,
// permissions, and for files the modification time and a hash of the bytes
// (a folder's time changes with any temporary file made and removed in it).
// One line an entry, sorted, so that a difference reads plainly.
std::string snapshot(const QString& folder);

// Whether two colours differ by at most `tolerance` in each channel (JPEG's losses).
bool near(const QColor& a, const QColor& b, int tolerance = 12);

} // namespace pageoutputs
