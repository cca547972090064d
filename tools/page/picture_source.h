// A picture file held in memory, opened by the reader that knows its kind:
// first only its header, so that a picture too large to decode is refused
// before any pixel memory is taken, then, on request, its pixels, turned
// upright by the file's own orientation. Fitting them to the page is left to
// the picture import.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

// The most pixels a source picture may have: a 48-megapixel phone photo
// (8064 × 6048) fits; its decoded pixels then take under 200 MB.
constexpr qint64 kMaxSourcePixels = 50'000'000;

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // "HEIF", "JPEG", "PNG", "BMP", "GIF", "WebP" or "TIFF".
    virtual QString format() const = 0;
    // The size once turned upright, from the header alone.
    virtual QSize uprightSize() const = 0;
    // True when the file asks for its pixels to be turned or mirrored.
    virtual bool turned() const = 0;
    // The pixels, upright; raises EPageRefused when they cannot be decoded.
    virtual QImage decode() = 0;
};

// Reads the header of `bytes` (which must outlive the source). Raises
// EPageRefused with the reason when the kind is not one of those above, the
// header is damaged, or the picture is larger than MaxSourcePixels.
std::unique_ptr<PictureSource> openPictureSource(const QByteArray& bytes);

// Raises EPageRefused when a picture of this stored size may not be decoded.
void refuseHugePicture(qint64 width, qint64 height);
