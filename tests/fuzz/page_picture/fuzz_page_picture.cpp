// Fuzzes the page tool's picture import on a file's bytes: the kind told by
// the content, the header read (and a huge picture refused) before any
// decoding, then the pixels decoded by Qt's plugins or libheif, turned
// upright, flattened and fitted. A refusal is EPageRefused; anything else
// thrown, or a result that does not fit the picture area, is a fault. HEIF
// pictures are fuzzed up to their header only: a crafted stream makes the
// HEVC decoder behind libheif allocate gigabytes, which the tool bounds by
// its address-space limit, a limit the sanitizers cannot run under.
#include "tests/fuzz/support/fuzz_application.h"
#include "tests/fuzz/support/fuzz_fault.h"

#include "tools/check/picture_check.h"
#include "tools/page/heif_picture.h"
#include "tools/page/page_errors.h"
#include "tools/page/picture_import.h"
#include "tools/page/picture_source.h"

#include <cstdint>

namespace {

// Larger pictures only cost time here: their decoding is the same code over
// more rows. The import's own bound is far higher.
constexpr qint64 kDecodePixelLimit = 2048 * 2048;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    startOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const std::unique_ptr<PictureSource> source = openPictureSource(bytes);
        const QSize upright = source->uprightSize();
        if (upright.isEmpty() || qint64{upright.width()} * upright.height() > kMaxSourcePixels)
            fuzzFault("a header past the limits was taken");
        if (qint64{upright.width()} * upright.height() > kDecodePixelLimit || looksLikeHeif(bytes))
            return 0;
        const QImage decoded = source->decode();
        if (decoded.isNull())
            fuzzFault("a decoded picture without pixels");
        const QImage picture = preparePicture(decoded);
        if (picture.width() > kPictureAreaSize.width() || picture.height() > kPictureAreaSize.height()
            || picture.size() != fittedPictureSize(decoded.size()))
            fuzzFault("the picture does not fit the picture area");
    } catch (const EPageRefused&) {
        // a refusal with its reason: expected for most inputs
    }
    return 0;
}
