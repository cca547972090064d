#include "app/jpeg_image.h"

#include "app/core/errors.h"
#include "platform/jpeg/decompressor.h"
#include "platform/memory/fresh_pages.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it then declares the message codes.
#include <jerror.h>

namespace {

// The in-memory source hands the decoder the file in blocks of this size, as
// a file source would read it.
constexpr std::size_t kSourceBlockBytes = 4096;
// Leaves the 20 reserved entries of a 256-colour system palette free.
constexpr int kPaletteColours = 236;
// Rows handed to the decoder per call; it fills as many as it has ready.
constexpr JDIMENSION kRowBatch = 16;
// 24-bit colour, written straight into rows of the format that painting uses
// as it is: where the decoder can give blue, green, red, pad (with the pad
// set to 0xFF), that is Qt's 32-bit RGB, else plain R, G, B bytes.
#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE kTrueColourSpace = JCS_EXT_BGRX;
constexpr QImage::Format kTrueColourFormat = QImage::Format_RGB32;
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "Format_RGB32 is B, G, R, X in memory only on little-endian hosts");
#else
constexpr J_COLOR_SPACE kTrueColourSpace = JCS_RGB;
constexpr QImage::Format kTrueColourFormat = QImage::Format_RGB888;
#endif
// What a source inserts when the data ends early, so that decoding finishes.
constexpr JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

// The decoder's source over the compressed bytes; the library's part first, so
// that the library's pointer is also ours.
struct MemorySource {
    jpeg_source_mgr pub;
    const JOCTET* data;
    std::size_t size;
    std::size_t position;
    bool startOfFile;
};

MemorySource& sourceOf(j_decompress_ptr info) { return *reinterpret_cast<MemorySource*>(info->src); }

void initSource(j_decompress_ptr info) { sourceOf(info).startOfFile = true; }

boolean fillInputBuffer(j_decompress_ptr info)
{
    MemorySource& source = sourceOf(info);
    const std::size_t left = source.size - source.position;
    if (left == 0) {
        if (source.startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        // Like a file source at a premature end: warn, then pretend the image ends here.
        WARNMS(info, JWRN_JPEG_EOF);
        source.pub.next_input_byte = kEndOfImage;
        source.pub.bytes_in_buffer = sizeof kEndOfImage;
    } else {
        const std::size_t block = std::min(left, kSourceBlockBytes);
        source.pub.next_input_byte = source.data + source.position;
        source.pub.bytes_in_buffer = block;
        source.position += block;
    }
    source.startOfFile = false;
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    MemorySource& source = sourceOf(info);
    while (count > static_cast<long>(source.pub.bytes_in_buffer)) {
        count -= static_cast<long>(source.pub.bytes_in_buffer);
        fillInputBuffer(info);
    }
    source.pub.next_input_byte += count;
    source.pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void termSource(j_decompress_ptr) {}

// A fatal decoder error ends the decoder's call by an exception; the library
// is built with unwind tables, so it passes through its frames.
[[noreturn]] void errorExit(j_common_ptr info)
{
    const int code = info->err->msg_code;
    // This build numbers "empty input" differently; the program reports its own code.
    throw jpegError(code == JERR_INPUT_EMPTY ? TJPEGImage::kEmptyInputCode : code);
}

// Called by the decoder before each step of its work, so also once each new
// scan has begun: a picture beyond the scan bound ends there.
void countScans(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > TJPEGImage::kMaxScans)
        throw jpegError(TJPEGImage::kTooManyScansCode);
}

// The program's error manager: its own codes for fatal errors; warnings and
// trace messages are ignored.
jpeg_error_mgr programErrors()
{
    jpeg_error_mgr errors{};
    jpeg_std_error(&errors);
    errors.error_exit = errorExit;
    errors.emit_message = jpeg::ignoreMessage;
    errors.output_message = jpeg::ignoreOutput;
    return errors;
}

// One decompressor over a byte array, with the program's own error manager
// and source, destroyed with the scope whatever happens.
class Decompressor {
public:
    explicit Decompressor(const QByteArray& data) : m_decompressor(m_error, m_source.pub)
    {
        m_source.pub.init_source = initSource;
        m_source.pub.fill_input_buffer = fillInputBuffer;
        m_source.pub.skip_input_data = skipInputData;
        m_source.pub.resync_to_restart = jpeg_resync_to_restart;
        m_source.pub.term_source = termSource;
        m_source.data = reinterpret_cast<const JOCTET*>(data.constData());
        m_source.size = static_cast<std::size_t>(data.size());
        m_progress.progress_monitor = countScans;
        info().progress = &m_progress;
    }

    jpeg_decompress_struct& info() { return m_decompressor.info(); }

    // Reads up to the first scan and refuses images beyond the pixel bound.
    void readHeader()
    {
        m_decompressor.readHeader();
        const qint64 pixels = static_cast<qint64>(info().image_width) * info().image_height;
        if (pixels > TJPEGImage::kMaxPixels)
            throw jpegError(JERR_IMAGE_TOO_BIG);
    }

private:
    // Declared before the decompressor, which refers to them from its birth.
    jpeg_error_mgr m_error = programErrors();
    MemorySource m_source{};
    jpeg_progress_mgr m_progress{};
    jpeg::Decompressor m_decompressor;
};

// Displays of 8 bits per pixel or fewer get palette pictures; asked once.
bool paletteDisplay()
{
    static const bool palette = [] {
        const QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
        return screen && screen->depth() <= 8;
    }();
    return palette;
}

QList<QRgb> colourTable(const jpeg_decompress_struct& info)
{
    QList<QRgb> table;
    table.reserve(info.actual_number_of_colors);
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
        if (info.out_color_components == 1) {
            const int grey = info.colormap[0][i];
            table.append(qRgb(grey, grey, grey));
        } else {
            table.append(qRgb(info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]));
        }
    }
    return table;
}

} // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(const QByteArray& jpeg)
{
    int width = 0, height = 0;
    bool grayscale = false, progressive = false;
    if (!jpeg.isEmpty()) {
        Decompressor decompressor(jpeg);
        decompressor.readHeader();
        const jpeg_decompress_struct& info = decompressor.info();
        width = static_cast<int>(info.image_width);
        height = static_cast<int>(info.image_height);
        grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
        progressive = info.progressive_mode != 0;
    }
    m_data = jpeg;
    m_width = width;
    m_height = height;
    m_grayscale = grayscale;
    m_progressive = progressive;
    m_decoded = false;
    m_bitmap = QImage();
}

void TJPEGImage::LoadFromStream(QIODevice& stream) { LoadFromBytes(readRemainingBytes(stream)); }

void TJPEGImage::ReadData(const QByteArray& data) { LoadFromBytes(lengthPrefixedBytes(data)); }

void TJPEGImage::DecodeBitmap()
{
    if (m_decoded)
        return;
    // Tried once: a failure is reported at this painting only, and what was
    // decoded before it stays for later paintings.
    m_decoded = true;
    Decompressor decompressor(m_data);
    jpeg_decompress_struct& info = decompressor.info();
    decompressor.readHeader();
    info.scale_num = 1;
    info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    const bool palette = m_grayscale || paletteDisplay();
    if (palette) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = kPaletteColours;
    } else {
        info.out_color_space = kTrueColourSpace;
    }
    jpeg_calc_output_dimensions(&info);

    // The bitmap exists, black, before the decoder does any work.
    m_bitmap = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                      palette ? QImage::Format_Indexed8 : kTrueColourFormat);
    if (m_bitmap.isNull())
        throw jpegError(JERR_OUT_OF_MEMORY);
    if (palette)
        m_bitmap.setColorTable({qRgb(0, 0, 0)});
    memory::mapForWriting(m_bitmap.bits(), static_cast<std::size_t>(m_bitmap.sizeInBytes()));
    m_bitmap.fill(0);

    jpeg_start_decompress(&info);
    if (palette)
        m_bitmap.setColorTable(colourTable(info));
    JSAMPROW rows[kRowBatch];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION batch = std::min(kRowBatch, info.output_height - info.output_scanline);
        for (JDIMENSION i = 0; i < batch; ++i)
            rows[i] = m_bitmap.scanLine(static_cast<int>(info.output_scanline + i));
        jpeg_read_scanlines(&info, rows, batch);
    }
}

void TJPEGImage::Draw(QPainter& painter, int x, int y)
{
    DecodeBitmap();
    if (!m_bitmap.isNull())
        painter.drawImage(x, y, m_bitmap);
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const
{
    auto copy = std::make_unique<TJPEGImage>();
    copy->m_data = m_data;
    copy->m_width = m_width;
    copy->m_height = m_height;
    copy->m_grayscale = m_grayscale;
    copy->m_progressive = m_progressive;
    copy->m_decoded = m_decoded;
    // Implicitly shared: the bitmap is never written again once decoded, so
    // sharing it is a copy that costs nothing.
    copy->m_bitmap = m_bitmap;
    return copy;
}
