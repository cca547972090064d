// HEIF and HEIC pictures, as phones save them, read with libheif: the
// primary image's size from the file's boxes, then its pixels with the
// file's rotation, mirroring and cropping applied, and its colour profile
// kept. Only the primary image is read; thumbnails and depth maps are not.
#pragma once

#include "tools/page/picture_source.h"

#include <libheif/heif.h>

#include <memory>

// True when the bytes begin like a HEIF file that libheif can read.
bool looksLikeHeif(const QByteArray& bytes);

class HeifPicture final : public PictureSource {
public:
    // Reads the boxes; raises EPageRefused when they are damaged or the picture is huge.
    explicit HeifPicture(const QByteArray& bytes);

    QString format() const override { return QStringLiteral("HEIF"); }
    QSize uprightSize() const override;
    // A quarter turn only: libheif applies a half turn or a mirror without telling.
    bool turned() const override;
    QImage decode() override;

private:
    struct ContextFree {
        void operator()(heif_context* context) const noexcept { heif_context_free(context); }
    };
    struct HandleRelease {
        void operator()(heif_image_handle* handle) const noexcept { heif_image_handle_release(handle); }
    };

    const QByteArray& m_bytes; // libheif reads it in place
    std::unique_ptr<heif_context, ContextFree> m_context;
    std::unique_ptr<heif_image_handle, HandleRelease> m_handle;
};
