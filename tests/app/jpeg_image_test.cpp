// The JPEG picture object: header at load, full decoding once at the first
// painting, the errors it raises and when, and copies.
#include "app/core/errors.h"
#include "app/jpeg_image.h"
#include "app/picture_file.h"
#include "tests/app/jpeg_fixtures.h"

#include <QBuffer>
#include <QPainter>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>

#include <jerror.h>
#include <jpeglib.h>

namespace {

using fixtures::encodeJpeg;
using fixtures::testPattern;

// Paints the picture once onto a canvas of its size; the error message, if any.
std::optional<std::string> paint(TJPEGImage& picture, QImage* canvas = nullptr)
{
    QImage target(std::max(1, picture.Width()), std::max(1, picture.Height()), QImage::Format_RGB32);
    target.fill(Qt::white);
    std::optional<std::string> error;
    {
        QPainter painter(&target);
        try {
            picture.Draw(painter, 0, 0);
        } catch (const EJPEG& e) {
            error = e.Message();
        }
    }
    if (canvas)
        *canvas = target;
    return error;
}

std::string jpegMessage(int code) { return "JPEG error #" + std::to_string(code); }

// The largest difference of one channel between two pixels.
int distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Loading reads the header only: size and kind are known, nothing is decoded.
TEST(TJPEGImage, LoadReadsTheHeaderOnly)
{
    TJPEGImage colour;
    colour.LoadFromBytes(encodeJpeg(testPattern(37, 21)));
    EXPECT_EQ(colour.Width(), 37);
    EXPECT_EQ(colour.Height(), 21);
    EXPECT_FALSE(colour.Grayscale());
    EXPECT_FALSE(colour.ProgressiveEncoding());
    EXPECT_FALSE(colour.Decoded());
    EXPECT_TRUE(colour.Bitmap().isNull());
    EXPECT_STREQ(colour.ClassName(), "TJPEGImage");

    TJPEGImage grey;
    grey.LoadFromBytes(encodeJpeg(testPattern(8, 9), {.grayscale = true, .progressive = true}));
    EXPECT_TRUE(grey.Grayscale());
    EXPECT_TRUE(grey.ProgressiveEncoding());
    EXPECT_EQ(grey.Width(), 8);
    EXPECT_EQ(grey.Height(), 9);
}

// The first painting decodes a colour picture to 24-bit pixels close to the original.
TEST(TJPEGImage, FirstPaintingDecodesColourPictures)
{
    const QImage original = testPattern(64, 48);
    for (bool progressive : {false, true}) {
        TJPEGImage picture;
        picture.LoadFromBytes(encodeJpeg(original, {.progressive = progressive, .quality = 100}));
        QImage canvas;
        EXPECT_EQ(paint(picture, &canvas), std::nullopt);
        ASSERT_TRUE(picture.Decoded());
        ASSERT_EQ(picture.Bitmap().size(), QSize(64, 48));
        EXPECT_TRUE(picture.Bitmap().format() == QImage::Format_RGB32
                    || picture.Bitmap().format() == QImage::Format_RGB888);
        for (QPoint at : {QPoint(0, 0), QPoint(40, 10), QPoint(63, 47), QPoint(20, 30)}) {
            EXPECT_LE(distance(canvas.pixel(at), original.pixel(at)), 12) << at.x() << "," << at.y();
            EXPECT_EQ(canvas.pixel(at), picture.Bitmap().pixel(at));
        }
    }
}

// Grey pictures come out as an 8-bit palette of at most 236 greys.
TEST(TJPEGImage, GreyPicturesBecomePaletteImages)
{
    const QImage original = testPattern(40, 30).convertToFormat(QImage::Format_Grayscale8);
    TJPEGImage picture;
    picture.LoadFromBytes(encodeJpeg(original, {.grayscale = true, .quality = 100}));
    EXPECT_EQ(paint(picture), std::nullopt);
    const QImage& bitmap = picture.Bitmap();
    ASSERT_EQ(bitmap.format(), QImage::Format_Indexed8);
    EXPECT_LE(bitmap.colorCount(), 236);
    EXPECT_GT(bitmap.colorCount(), 100);
    for (QRgb colour : bitmap.colorTable())
        EXPECT_TRUE(qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour));
    for (QPoint at : {QPoint(0, 0), QPoint(39, 0), QPoint(20, 15)})
        EXPECT_LE(distance(bitmap.pixel(at), original.pixel(at)), 8) << at.x() << "," << at.y();
}

// Empty data loads; the first painting raises "JPEG error #41" once, later ones nothing.
TEST(TJPEGImage, EmptyDataRaisesCode41AtTheFirstPaintingOnly)
{
    TJPEGImage picture;
    ASSERT_NO_THROW(picture.LoadFromBytes(QByteArray()));
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(paint(picture), jpegMessage(41));
    EXPECT_TRUE(picture.Decoded());
    EXPECT_EQ(paint(picture), std::nullopt);
    EXPECT_EQ(paint(picture), std::nullopt);
}

// A header that is not a JPEG's fails at load with the decoder's code; the old content stays.
TEST(TJPEGImage, BadHeaderFailsAtLoadAndKeepsTheOldContent)
{
    TJPEGImage picture;
    const QByteArray good = encodeJpeg(testPattern(10, 12));
    picture.LoadFromBytes(good);
    QByteArray bitmapFile;
    QBuffer buffer(&bitmapFile);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(testPattern(10, 10).save(&buffer, "BMP"));
    try {
        picture.LoadFromBytes(bitmapFile);
        ADD_FAILURE() << "no error";
    } catch (const EJPEG& error) {
        EXPECT_EQ(error.Message(), jpegMessage(JERR_NO_SOI));
    }
    EXPECT_EQ(picture.Width(), 10);
    EXPECT_EQ(picture.Height(), 12);
    EXPECT_EQ(picture.Data(), good);
}

// A header announcing more than 100 megapixels is refused at load with the image-too-big code.
TEST(TJPEGImage, HugeDimensionsFailAtLoad)
{
    const QByteArray small = encodeJpeg(testPattern(16, 16));
    TJPEGImage atBound;
    EXPECT_NO_THROW(atBound.LoadFromBytes(fixtures::withFrameSize(small, 10000, 10000)));
    EXPECT_EQ(atBound.Width(), 10000);
    for (const QSize size : {QSize(10001, 10000), QSize(60000, 60000)}) {
        TJPEGImage picture;
        try {
            picture.LoadFromBytes(fixtures::withFrameSize(small, size.width(), size.height()));
            ADD_FAILURE() << "no error for " << size.width() << "x" << size.height();
        } catch (const EJPEG& error) {
            EXPECT_EQ(error.Message(), jpegMessage(JERR_IMAGE_TOO_BIG));
        }
        EXPECT_EQ(picture.Width(), 0);
    }
}

// A file cut short decodes without an error; the decoder fills the missing rest.
TEST(TJPEGImage, TruncatedDataDecodesAPartialPicture)
{
    const QImage original = testPattern(96, 80);
    const QByteArray whole = encodeJpeg(original);
    TJPEGImage full, part;
    full.LoadFromBytes(whole);
    part.LoadFromBytes(fixtures::cut(whole, 0.6));
    EXPECT_EQ(paint(full), std::nullopt);
    EXPECT_EQ(paint(part), std::nullopt);
    ASSERT_EQ(part.Bitmap().size(), QSize(96, 80));
    EXPECT_LE(distance(part.Bitmap().pixel(5, 2), full.Bitmap().pixel(5, 2)), 1);
    EXPECT_LE(distance(full.Bitmap().pixel(50, 79), original.pixel(50, 79)), 12);
    EXPECT_GT(distance(part.Bitmap().pixel(50, 79), full.Bitmap().pixel(50, 79)), 50)
        << "the bottom was never in the data";
}

// A damaged scan raises at the first painting only; the bitmap made for it stays and is drawn later.
TEST(TJPEGImage, DamagedScanRaisesOnceAndKeepsItsBitmap)
{
    TJPEGImage picture;
    ASSERT_NO_THROW(picture.LoadFromBytes(fixtures::withUndefinedScanTables(encodeJpeg(testPattern(24, 16)))));
    EXPECT_EQ(paint(picture), jpegMessage(JERR_NO_HUFF_TABLE));
    EXPECT_EQ(picture.Bitmap().size(), QSize(24, 16));
    QImage canvas;
    EXPECT_EQ(paint(picture, &canvas), std::nullopt);
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(0, 0, 0)) << "nothing decoded: the bitmap is still black";
}

// A picture of as many scans as the bound decodes; one scan more is refused at
// the first painting with the program's own code, keeping the bitmap made for it.
TEST(TJPEGImage, PicturesWithMoreScansThanTheBoundAreRefused)
{
    const QByteArray progressive = encodeJpeg(testPattern(64, 48), {.progressive = true});
    const int ownScans = fixtures::scanCount(progressive);
    ASSERT_GT(ownScans, 1);
    TJPEGImage atBound, overBound;
    atBound.LoadFromBytes(fixtures::withEmptyScans(progressive, TJPEGImage::kMaxScans - ownScans));
    overBound.LoadFromBytes(fixtures::withEmptyScans(progressive, TJPEGImage::kMaxScans - ownScans + 1));
    ASSERT_EQ(fixtures::scanCount(overBound.Data()), TJPEGImage::kMaxScans + 1);

    EXPECT_EQ(paint(atBound), std::nullopt);
    EXPECT_EQ(atBound.Bitmap().size(), QSize(64, 48));

    EXPECT_EQ(paint(overBound), jpegMessage(TJPEGImage::kTooManyScansCode));
    EXPECT_EQ(overBound.Bitmap().size(), QSize(64, 48));
    EXPECT_EQ(paint(overBound), std::nullopt) << "refused once, like any decoding error";
}

// The hostile file of many empty scans: the refusal does not wait for its last scan.
TEST(TJPEGImage, TwoHundredThousandEmptyScansAreRefused)
{
    TJPEGImage picture;
    picture.LoadFromBytes(fixtures::withEmptyScans(encodeJpeg(testPattern(600, 420), {.progressive = true}), 200'000));
    EXPECT_EQ(paint(picture), jpegMessage(TJPEGImage::kTooManyScansCode));
}

// A picture stream's value is a 4-byte little-endian length and that many JPEG bytes.
TEST(TJPEGImage, ReadsItsValueFromAPictureStream)
{
    registerPictureFormats();
    const QByteArray jpeg = encodeJpeg(testPattern(5, 7));
    QByteArray value(4, '\0');
    for (int i = 0; i < 4; ++i)
        value[i] = static_cast<char>((jpeg.size() >> (8 * i)) & 0xFF);
    value += jpeg;
    const QByteArray stream = QByteArray(1, 10) + "TJPEGImage" + value;
    TPicture holder;
    holder.LoadFromStream(stream);
    ASSERT_NE(holder.Graphic(), nullptr);
    EXPECT_STREQ(holder.Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(holder.Graphic()->Width(), 5);
    EXPECT_EQ(static_cast<TJPEGImage*>(holder.Graphic())->Data(), jpeg);

    TJPEGImage shortValue;
    EXPECT_THROW(shortValue.ReadData(value.left(value.size() - 1)), EReadError);
    EXPECT_THROW(shortValue.ReadData(QByteArray(3, '\0')), EReadError);
}

// A copy shares the compressed bytes and takes the decoded bitmap; it never decodes again.
TEST(TJPEGImage, CopiesShareBytesAndTakeTheBitmap)
{
    TJPEGImage source;
    source.LoadFromBytes(encodeJpeg(testPattern(30, 20)));
    auto fresh = source.Clone();
    auto* freshCopy = dynamic_cast<TJPEGImage*>(fresh.get());
    ASSERT_NE(freshCopy, nullptr);
    EXPECT_EQ(freshCopy->Data().constData(), source.Data().constData());
    EXPECT_FALSE(freshCopy->Decoded());
    EXPECT_EQ(freshCopy->Width(), 30);

    EXPECT_EQ(paint(source), std::nullopt);
    auto decoded = source.Clone();
    auto* decodedCopy = static_cast<TJPEGImage*>(decoded.get());
    EXPECT_TRUE(decodedCopy->Decoded());
    EXPECT_EQ(decodedCopy->Bitmap(), source.Bitmap());

    TJPEGImage empty;
    empty.LoadFromBytes(QByteArray());
    EXPECT_EQ(paint(empty), jpegMessage(41));
    auto emptyCopy = empty.Clone();
    QImage canvas(1, 1, QImage::Format_RGB32);
    QPainter painter(&canvas);
    EXPECT_NO_THROW(emptyCopy->Draw(painter, 0, 0)) << "the copy of a tried picture is tried too";
}

} // namespace
