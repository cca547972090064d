#include "tools/page/heif_picture.h"

#include "tools/page/page_errors.h"

#include <QColorSpace>
#include <cstring>

namespace {

// libheif wants at least this much to tell its files by their first box.
constexpr int kFileTypeBytes = 12;

struct ImageRelease {
    void operator()(heif_image* image) const noexcept { heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const noexcept { heif_decoding_options_free(options); }
};

void raiseOnError(const heif_error& error, const char* what)
{
    if (error.code != heif_error_Ok)
        throw EPageRefused(std::string(what) + ": " + (error.message ? error.message : "unknown libheif error"));
}

// The colour profile stored as ICC data, when the file has one.
QColorSpace iccColourSpace(const heif_image_handle* handle)
{
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC)
        return {};
    QByteArray profile(static_cast<qsizetype>(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
    if (profile.isEmpty() || heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
        return {};
    return QColorSpace::fromIccProfile(profile);
}

} // namespace

bool looksLikeHeif(const QByteArray& bytes)
{
    if (bytes.size() < kFileTypeBytes)
        return false;
    const heif_filetype_result type = heif_check_filetype(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                          static_cast<int>(bytes.size()));
    return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

HeifPicture::HeifPicture(const QByteArray& bytes) : m_bytes(bytes), m_context(heif_context_alloc())
{
    if (!m_context)
        throw EPageRefused("libheif could not start");
    raiseOnError(heif_context_read_from_memory_without_copy(m_context.get(), m_bytes.constData(),
                                                            static_cast<size_t>(m_bytes.size()), nullptr),
                 "its HEIF boxes cannot be read");
    heif_image_handle* handle = nullptr;
    raiseOnError(heif_context_get_primary_image_handle(m_context.get(), &handle), "it has no main picture");
    m_handle.reset(handle);
    // The stored size decides the memory decoding takes, whatever the turn.
    refuseHugePicture(heif_image_handle_get_ispe_width(handle), heif_image_handle_get_ispe_height(handle));
    refuseHugePicture(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
}

QSize HeifPicture::uprightSize() const
{
    return {heif_image_handle_get_width(m_handle.get()), heif_image_handle_get_height(m_handle.get())};
}

bool HeifPicture::turned() const
{
    return heif_image_handle_get_ispe_width(m_handle.get()) != heif_image_handle_get_width(m_handle.get());
}

QImage HeifPicture::decode()
{
    const bool alpha = heif_image_handle_has_alpha_channel(m_handle.get()) != 0;
    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    heif_image* decoded = nullptr;
    raiseOnError(heif_decode_image(m_handle.get(), &decoded, heif_colorspace_RGB,
                                   alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get()),
                 "its pixels cannot be decoded");
    const std::unique_ptr<heif_image, ImageRelease> image(decoded);

    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels || width <= 0 || height <= 0)
        throw EPageRefused("its pixels cannot be decoded: the decoder gave no picture");
    QImage result(width, height, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (result.isNull())
        throw EPageRefused("there is not enough memory for its pixels");
    const auto rowBytes = static_cast<std::size_t>(width) * (alpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        std::memcpy(result.scanLine(y), pixels + static_cast<std::ptrdiff_t>(y) * stride, rowBytes);
    if (const QColorSpace profile = iccColourSpace(m_handle.get()); profile.isValid())
        result.setColorSpace(profile);
    return result;
}
