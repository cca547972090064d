// Loading picture files into a picture area by their extension, and copying
// pictures between areas.
#include "app/core/errors.h"
#include "app/core/path_encoding.h"
#include "app/jpeg_image.h"
#include "app/picture_file.h"
#include "platform/ui/image.h"
#include "tests/app/jpeg_fixtures.h"
#include "tests/support/byte_named_folder.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

namespace {

using fixtures::encodeJpeg;
using fixtures::testPattern;

// More than a picture's header and less than any bound: what "unread" allows.
constexpr qint64 kUnreadBytes = 1 << 20;

// Bytes this process has read so far, as the kernel counts them.
qint64 bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string name;
    qint64 value = 0;
    while (io >> name >> value)
        if (name == "rchar:")
            return value;
    throw std::runtime_error("no read count in /proc/self/io");
}

class PictureFileTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    TImage m_area;

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        testfiles::writeFile(path, bytes);
        return path;
    }
    QString jpegFile(const QString& name, QSize size)
    {
        return file(name, encodeJpeg(testPattern(size.width(), size.height())));
    }
    // A real JPEG, then zeros up to `size` bytes: a hole that takes no disk space.
    QString sparseJpegFile(const QString& name, qint64 size)
    {
        const QString path = jpegFile(name, {6, 4});
        if (!QFile::resize(path, size))
            throw std::runtime_error("cannot extend " + path.toStdString());
        return path;
    }
    // The message of the error the load raises, or empty.
    template <typename Error> std::string loadError(const QString& name)
    {
        try {
            LoadPictureFile(m_area, name);
        } catch (const Error& error) {
            return error.Message();
        }
        return {};
    }
};

struct ExtensionCase {
    const char* name;
    const char* extension;
};

class PictureExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

// The extension is what follows the last dot after the last slash.
TEST_P(PictureExtensionTest, IsThePartAfterTheLastDotOfTheFileName)
{
    EXPECT_EQ(pictureExtension(QString::fromUtf8(GetParam().name)), QString::fromUtf8(GetParam().extension));
}

INSTANTIATE_TEST_SUITE_P(Names, PictureExtensionTest,
                         ::testing::Values(ExtensionCase{"/d/Б/letter_img.jpg", "jpg"},
                                           ExtensionCase{"photo.JPG", "JPG"}, ExtensionCase{"a.b.jpeg", "jpeg"},
                                           ExtensionCase{"photo", ""}, ExtensionCase{"/data.d/photo", ""},
                                           ExtensionCase{"photo.", ""}, ExtensionCase{"/d/.bmp", "bmp"}));

// A JPEG file becomes the area's picture, found whatever the case of its extension.
TEST_F(PictureFileTest, LoadsJpegFilesUnderEitherExtension)
{
    int changes = 0;
    m_area.Picture().OnChange = [&] { ++changes; };
    for (const char* name : {"letter_img.jpg", "photo.JPG", "photo.jpeg", "photo.JpEg"}) {
        LoadPictureFile(m_area, jpegFile(QString::fromUtf8(name), {21, 13}));
        const TGraphic* graphic = m_area.Picture().Graphic();
        ASSERT_NE(graphic, nullptr) << name;
        EXPECT_STREQ(graphic->ClassName(), "TJPEGImage");
        EXPECT_EQ(graphic->Width(), 21);
        EXPECT_FALSE(static_cast<const TJPEGImage*>(graphic)->Decoded());
    }
    EXPECT_EQ(changes, 4);
}

// A picture in a folder whose name is not UTF-8 is read by its bytes.
TEST_F(PictureFileTest, LoadsFromAFolderNamedWithBytesThatAreNoUtf8)
{
    const testcontent::ByteNamedFolder folder;
    const QByteArray picture = folder.write("DATA/Main/welcome_img.jpg", encodeJpeg(testPattern(21, 13)));
    LoadPictureFile(m_area, pathFromBytes(picture));
    const TGraphic* graphic = m_area.Picture().Graphic();
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->Width(), 21);
    EXPECT_EQ(graphic->Height(), 13);
}

// Extensions outside the table are named in the error as written; the old picture stays.
TEST_F(PictureFileTest, UnknownExtensionsRaiseAndKeepThePicture)
{
    LoadPictureFile(m_area, jpegFile(QStringLiteral("a.jpg"), {4, 4}));
    const TGraphic* old = m_area.Picture().Graphic();
    const QString png = jpegFile(QStringLiteral("photo.PNG"), {4, 4});
    EXPECT_EQ(loadError<EInvalidGraphic>(png), "Unknown picture file extension (.PNG)");
    EXPECT_EQ(loadError<EInvalidGraphic>(m_dir.filePath(QStringLiteral("photo"))),
              "Unknown picture file extension (.)");
    EXPECT_EQ(loadError<EInvalidGraphic>(QStringLiteral("missing.gif")), "Unknown picture file extension (.gif)");
    EXPECT_EQ(m_area.Picture().Graphic(), old);
}

// Files that cannot be opened raise EFOpenError with the name; the old picture stays.
TEST_F(PictureFileTest, UnopenableFilesRaiseWithTheName)
{
    LoadPictureFile(m_area, jpegFile(QStringLiteral("a.jpg"), {4, 4}));
    const TGraphic* old = m_area.Picture().Graphic();
    const QString missing = m_dir.filePath(QStringLiteral("letter_img.jpg"));
    EXPECT_EQ(loadError<EFOpenError>(missing), "Cannot open file " + missing.toStdString());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.jpg")));
    const QString folder = m_dir.filePath(QStringLiteral("folder.jpg"));
    EXPECT_EQ(loadError<EFOpenError>(folder), "Cannot open file " + folder.toStdString());
    EXPECT_EQ(m_area.Picture().Graphic(), old);
}

// A file up to the bound loads; one byte more is refused by its name before it
// is read, and the area keeps its old picture.
TEST_F(PictureFileTest, FilesBeyondTheBoundAreRefusedUnread)
{
    LoadPictureFile(m_area, sparseJpegFile(QStringLiteral("at_bound.jpg"), kMaxPictureFileBytes));
    const TGraphic* old = m_area.Picture().Graphic();
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->Width(), 6);
    EXPECT_EQ(static_cast<const TJPEGImage*>(old)->Data().size(), kMaxPictureFileBytes);

    const QString over = sparseJpegFile(QStringLiteral("over_bound.jpg"), kMaxPictureFileBytes + 1);
    const qint64 before = bytesReadSoFar();
    EXPECT_EQ(loadError<EFOpenError>(over), "Cannot open file " + over.toStdString());
    EXPECT_LT(bytesReadSoFar() - before, kUnreadBytes) << "the file was read";
    EXPECT_EQ(m_area.Picture().Graphic(), old);
}

// A bitmap named .jpg fails at load with the decoder's code; the area keeps its old picture.
TEST_F(PictureFileTest, BitmapNamedJpgFailsAtLoad)
{
    LoadPictureFile(m_area, jpegFile(QStringLiteral("a.jpg"), {4, 4}));
    const TGraphic* old = m_area.Picture().Graphic();
    const QString bitmap = m_dir.filePath(QStringLiteral("letter_img.bmp"));
    ASSERT_TRUE(testPattern(8, 8).save(bitmap, "BMP"));
    const QString renamed = m_dir.filePath(QStringLiteral("letter_img.jpg"));
    ASSERT_TRUE(QFile::rename(bitmap, renamed));
    EXPECT_EQ(loadError<EJPEG>(renamed), "JPEG error #" + std::to_string(JERR_NO_SOI));
    EXPECT_EQ(m_area.Picture().Graphic(), old);
}

// A zero-byte .jpg loads; the area's first painting raises code 41 once.
TEST_F(PictureFileTest, ZeroByteJpegLoadsAndFailsAtItsFirstPainting)
{
    LoadPictureFile(m_area, file(QStringLiteral("letter_img.jpg"), QByteArray()));
    TGraphic* graphic = m_area.Picture().Graphic();
    ASSERT_NE(graphic, nullptr);
    QImage canvas(10, 10, QImage::Format_RGB32);
    QPainter painter(&canvas);
    try {
        graphic->Draw(painter, 0, 0);
        ADD_FAILURE() << "no error";
    } catch (const EJPEG& error) {
        EXPECT_EQ(error.Message(), "JPEG error #41");
    }
    EXPECT_NO_THROW(graphic->Draw(painter, 0, 0));
}

// The area draws a loaded picture decoded, centred in itself.
TEST_F(PictureFileTest, TheAreaDrawsTheDecodedPictureCentred)
{
    m_area.resize(60, 40);
    QImage red(20, 10, QImage::Format_RGB888);
    red.fill(QColor(230, 20, 20));
    LoadPictureFile(m_area, file(QStringLiteral("red.jpg"), encodeJpeg(red)));
    const QImage shot = m_area.grab().toImage();
    const QRgb centre = shot.pixel(30, 20);
    EXPECT_GT(qRed(centre), 200);
    EXPECT_LT(qGreen(centre), 50);
    EXPECT_NE(shot.pixel(5, 5), centre) << "the corner lies outside the centred picture";
}

// The other formats of the table: bitmaps load, damaged icons and every metafile are refused.
TEST_F(PictureFileTest, OtherFormatsOfTheTable)
{
    const QString bitmap = m_dir.filePath(QStringLiteral("glyph.BMP"));
    ASSERT_TRUE(testPattern(9, 5).save(bitmap, "BMP"));
    LoadPictureFile(m_area, bitmap);
    ASSERT_NE(m_area.Picture().Graphic(), nullptr);
    EXPECT_STREQ(m_area.Picture().Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(m_area.Picture().Graphic()->Width(), 9);
    EXPECT_EQ(loadError<EInvalidGraphic>(file(QStringLiteral("bad.ico"), "not an icon")), "Icon image is not valid");
    EXPECT_EQ(loadError<EInvalidGraphic>(file(QStringLiteral("a.wmf"), "x")),
              "Metafiles cannot be shown on this system");
    EXPECT_EQ(loadError<EInvalidGraphic>(file(QStringLiteral("a.emf"), "x")),
              "Metafiles cannot be shown on this system");
}

// A copied picture shares the bytes; later loads into the target leave the source alone.
TEST_F(PictureFileTest, ClonePictureCopiesAndStaysIndependent)
{
    TImage target;
    int changes = 0;
    target.Picture().OnChange = [&] { ++changes; };
    LoadPictureFile(m_area, jpegFile(QStringLiteral("a.jpg"), {12, 8}));
    ClonePicture(m_area, target);
    EXPECT_EQ(changes, 1);
    const auto* source = static_cast<const TJPEGImage*>(m_area.Picture().Graphic());
    const auto* copy = dynamic_cast<const TJPEGImage*>(target.Picture().Graphic());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    EXPECT_EQ(copy->Data().constData(), source->Data().constData());

    LoadPictureFile(target, jpegFile(QStringLiteral("b.jpg"), {3, 2}));
    EXPECT_EQ(target.Picture().Graphic()->Width(), 3);
    EXPECT_EQ(m_area.Picture().Graphic(), source);
    EXPECT_EQ(source->Width(), 12);

    ClonePicture(target, target);
    EXPECT_EQ(target.Picture().Graphic()->Width(), 3) << "copying onto itself keeps the picture";

    TImage empty;
    ClonePicture(empty, target);
    EXPECT_EQ(target.Picture().Graphic(), nullptr);
    EXPECT_EQ(changes, 4);
}

} // namespace
