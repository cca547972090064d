// Fuzzes the JPEG picture: the header read at load, then the full decoding
// at the first painting, both as a picture file's bytes and as a picture
// stream's length-prefixed value. The picture's own errors (EJPEG, and
// EReadError for a bad length prefix) are expected; anything else, a second
// decoding attempt, or a bitmap whose size disagrees with the header is a fault.
#include "app/core/errors.h"
#include "app/jpeg_image.h"
#include "tests/fuzz/support/fuzz_application.h"
#include "tests/fuzz/support/fuzz_fault.h"

#include <QImage>
#include <QPainter>
#include <cstdint>

namespace {

// Pictures beyond this many pixels only cost time here: their decoding is the
// same code over more rows. The loader's own bound is far higher.
constexpr qint64 kDecodePixelLimit = 4096 * 4096;
// The painting target: small, as the decoded bitmap is clipped to it anyway.
constexpr int kCanvasSide = 64;

void paint(TJPEGImage& image)
{
    if (static_cast<qint64>(image.Width()) * image.Height() > kDecodePixelLimit)
        return;
    QImage canvas(kCanvasSide, kCanvasSide, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    bool failed = false;
    try {
        image.Draw(painter, 0, 0);
    } catch (const EJPEG&) {
        failed = true;
    }
    if (!image.Decoded())
        fuzzFault("a painting left the picture undecoded");
    if (!image.Bitmap().isNull() && image.Bitmap().size() != QSize(image.Width(), image.Height()))
        fuzzFault("the bitmap's size differs from the header's");
    // Later paintings show what was decoded and never raise again.
    try {
        image.Draw(painter, 1, 1);
        const std::unique_ptr<TGraphic> copy = image.Clone();
        copy->Draw(painter, -1, -1);
    } catch (const EJPEG&) {
        fuzzFault(failed ? "the decoding error was raised twice" : "a later painting raised");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    startOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        TJPEGImage image;
        try {
            image.LoadFromBytes(bytes);
        } catch (const EJPEG&) {
            if (!image.Data().isEmpty() || image.Width() != 0)
                fuzzFault("a refused header changed the picture");
            return 0;
        }
        paint(image);
    }
    {
        TJPEGImage streamed;
        try {
            streamed.ReadData(bytes);
        } catch (const EJPEG&) {
            return 0;
        } catch (const EReadError&) {
            return 0;
        }
        paint(streamed);
    }
    return 0;
}
