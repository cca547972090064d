// The common picture files (JPEG, PNG, BMP, GIF, WebP, TIFF) read with Qt's
// image reader and its format plugins. The kind is told by the content, not
// by the name, and only these kinds are taken, so that a file that merely
// resembles some rarer format is refused. The EXIF orientation is applied.
#pragma once

#include "tools/page/picture_source.h"

#include <QBuffer>
#include <QImageReader>

class QtPicture final : public PictureSource {
public:
    // Reads the header; raises EPageRefused for another kind, a damaged
    // header or a huge picture.
    explicit QtPicture(const QByteArray& bytes);

    QString format() const override { return m_format; }
    QSize uprightSize() const override;
    bool turned() const override;
    QImage decode() override;

    // Decoded pixels may take at most this much memory, whatever a header claims.
    static constexpr int kAllocationLimitMegabytes = 256;

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    QImageReader m_reader;
    QString m_format;
    QSize m_storedSize;
};
