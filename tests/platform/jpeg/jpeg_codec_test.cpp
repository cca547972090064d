// The shared libjpeg helpers: what the compressor writes decodes back to its
// raster (whatever the row padding and however many output blocks it fills),
// the library's fatal errors and, where asked, its warnings arrive as
// jpeg::Error with the library's code instead of ending the process, and a
// reader's own error and source managers are used as they are.
#include "platform/jpeg/compressor.h"
#include "platform/jpeg/decompressor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include <jerror.h>

namespace {

// The decoded samples may differ from the source by the lossy coding; a
// smooth picture at high quality stays within this.
constexpr int kSampleTolerance = 12;

// A smooth raster with `padding` unused bytes after each row, which must
// neither be read as pixels nor shift the rows after it.
struct TestRaster {
    int width;
    int height;
    int components;
    int padding;
    std::vector<std::uint8_t> bytes;

    TestRaster(int w, int h, int c, int pad) : width(w), height(h), components(c), padding(pad)
    {
        bytes.assign(static_cast<std::size_t>(stride()) * h, 0xEE);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int k = 0; k < c; ++k)
                    bytes[static_cast<std::size_t>(y * stride() + x * c + k)] = expected(x, y, k);
    }
    int stride() const { return width * components + padding; }
    std::uint8_t expected(int x, int y, int k) const
    {
        return static_cast<std::uint8_t>(k == 0 ? 40 + x * 150 / width : k == 1 ? 40 + y * 150 / height : 120);
    }
    jpeg::Raster raster() const { return {bytes.data(), width, height, stride(), components}; }
};

std::vector<std::uint8_t> decode(const std::vector<std::uint8_t>& file, J_COLOR_SPACE out, int* width = nullptr,
                                 int* height = nullptr, jpeg::Warnings warnings = jpeg::Warnings::Ignored)
{
    jpeg::Decompressor decompressor(file.data(), file.size(), warnings);
    decompressor.readHeader();
    decompressor.info().out_color_space = out;
    decompressor.start();
    const jpeg_decompress_struct& info = decompressor.info();
    const std::size_t rowBytes = std::size_t{info.output_width} * static_cast<std::size_t>(info.output_components);
    std::vector<std::uint8_t> pixels(rowBytes * info.output_height);
    decompressor.readRows([&](JDIMENSION row) { return pixels.data() + rowBytes * row; });
    if (width)
        *width = static_cast<int>(info.output_width);
    if (height)
        *height = static_cast<int>(info.output_height);
    return pixels;
}

int jpegErrorCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const jpeg::Error& error) {
        EXPECT_NE(std::string(error.what()), "");
        return error.code();
    }
    return -1;
}

// A file of many output blocks: noise does not compress.
std::vector<std::uint8_t> noisyFile(int width, int height)
{
    std::vector<std::uint8_t> noise(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t state = 12345;
    for (auto& sample : noise) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<std::uint8_t>(state >> 24);
    }
    jpeg::Compressor compressor({noise.data(), width, height, width * 3, 3});
    compressor.setQuality(95);
    return compressor.compress();
}

} // namespace

// Colour and grey rasters with and without row padding come back as they went
// in, at the size they had.
TEST(JpegCodec, CompressedRasterDecodesBackWhateverTheRowPadding)
{
    for (const auto& [components, padding] : {std::pair{3, 0}, {3, 5}, {1, 0}, {1, 3}}) {
        SCOPED_TRACE(testing::Message() << components << " samples, padding " << padding);
        const TestRaster source(37, 21, components, padding);
        jpeg::Compressor compressor(source.raster());
        compressor.setQuality(95);
        const std::vector<std::uint8_t> file = compressor.compress();
        ASSERT_GE(file.size(), 4u);
        EXPECT_EQ(file[0], 0xFF);
        EXPECT_EQ(file[1], 0xD8);
        EXPECT_EQ(file[file.size() - 2], 0xFF);
        EXPECT_EQ(file[file.size() - 1], 0xD9);

        int width = 0, height = 0;
        const auto pixels = decode(file, components == 3 ? JCS_RGB : JCS_GRAYSCALE, &width, &height);
        ASSERT_EQ(width, source.width);
        ASSERT_EQ(height, source.height);
        int worst = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int k = 0; k < components; ++k) {
                    const int got = pixels[static_cast<std::size_t>((y * width + x) * components + k)];
                    worst = std::max(worst, std::abs(got - source.expected(x, y, k)));
                }
        EXPECT_LE(worst, kSampleTolerance);
    }
}

// A file far larger than one output block arrives whole and in order, and the
// comment is written after the headers, before the scan.
TEST(JpegCodec, LargeOutputAndCommentArriveWhole)
{
    const std::vector<std::uint8_t> file = noisyFile(160, 120);
    ASSERT_GT(file.size(), 4u * 4096u);
    int width = 0, height = 0;
    EXPECT_NO_THROW(decode(file, JCS_RGB, &width, &height, jpeg::Warnings::Fatal));
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);

    const TestRaster source(16, 16, 3, 0);
    jpeg::Compressor compressor(source.raster());
    compressor.setComment("made by a test");
    const std::vector<std::uint8_t> withComment = compressor.compress();
    const std::string text(withComment.begin(), withComment.end());
    // COM marker, length 2 + 14, the text.
    const std::string segment = std::string("\xFF\xFE\x00\x10", 4) + "made by a test";
    const std::size_t comment = text.find(segment);
    ASSERT_NE(comment, std::string::npos);
    EXPECT_LT(comment, text.find("\xFF\xDA"));
}

// The library's fatal errors and refused input are exceptions with the
// library's code, for the compressor and the decompressor alike; the process
// goes on.
TEST(JpegCodec, FatalErrorsAreExceptionsWithTheLibrarysCode)
{
    const std::vector<std::uint8_t> notJpeg = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
    EXPECT_EQ(jpegErrorCode([&] { decode(notJpeg, JCS_RGB); }), JERR_NO_SOI);
    EXPECT_EQ(jpegErrorCode([&] { decode({}, JCS_RGB); }), JERR_INPUT_EMPTY);

    const TestRaster empty(0, 0, 3, 0);
    jpeg::Compressor compressor(empty.raster());
    EXPECT_EQ(jpegErrorCode([&] { compressor.compress(); }), JERR_EMPTY_IMAGE);

    const TestRaster twoSamples(4, 4, 2, 0);
    EXPECT_THROW(jpeg::Compressor{twoSamples.raster()}, std::invalid_argument);
}

// A file cut short decodes to what it holds when warnings are ignored, and
// fails with the end-of-file warning's code when they are fatal.
TEST(JpegCodec, TruncatedFileFailsOnlyWhenWarningsAreFatal)
{
    std::vector<std::uint8_t> file = noisyFile(64, 64);
    file.resize(file.size() * 6 / 10);
    int width = 0;
    EXPECT_NO_THROW(decode(file, JCS_RGB, &width));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(jpegErrorCode([&] { decode(file, JCS_RGB, nullptr, nullptr, jpeg::Warnings::Fatal); }), JWRN_JPEG_EOF);
}

// A reader's own error manager and source manager are the ones used: its
// error routine decides what a failure throws, and its source feeds the data.
TEST(JpegCodec, CallersOwnManagersAreUsedAsTheyAre)
{
    struct OwnFailure {
        int code;
    };
    jpeg_error_mgr errors{};
    jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr info) { throw OwnFailure{info->err->msg_code}; };

    static const JOCTET kGarbage[] = {0x00, 0x11, 0x22, 0x33};
    jpeg_source_mgr source{};
    static int fills = 0;
    fills = 0;
    source.init_source = [](j_decompress_ptr) {};
    source.fill_input_buffer = [](j_decompress_ptr info) -> boolean {
        ++fills;
        info->src->next_input_byte = kGarbage;
        info->src->bytes_in_buffer = sizeof kGarbage;
        return TRUE;
    };
    source.skip_input_data = [](j_decompress_ptr, long) {};
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = [](j_decompress_ptr) {};

    jpeg::Decompressor decompressor(errors, source);
    try {
        decompressor.readHeader();
        FAIL() << "garbage was taken for a header";
    } catch (const OwnFailure& failure) {
        EXPECT_EQ(failure.code, JERR_NO_SOI);
    }
    EXPECT_EQ(fills, 1);
}
