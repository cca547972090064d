// A parent's photo becomes a page's picture: upright by its orientation,
// scaled down (never up) to fit the picture area with its proportions kept
// and fine detail averaged rather than aliased, transparent parts on white;
// every kind the machine's tools can write is read, and a picture that is
// huge by its header, damaged or of another kind is refused with a reason.
#include "tools/page/page_errors.h"
#include "tools/page/picture_import.h"

#include "tests/support/jpeg_encoding.h"
#include "tests/support/phone_sources.h"
#include "tests/support/test_files.h"
#include "tests/tools/page/page_outputs.h"

#include <QBuffer>
#include <QColor>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace phonesources;
using namespace testfiles;
using namespace pageoutputs;

// The picture as the import leaves it; progress lines are dropped.
QImage import(const QByteArray& bytes)
{
    QString progress;
    QTextStream stream(&progress);
    return importPicture(bytes, QStringLiteral("photo"), stream);
}

QString pictureRefusal(const QByteArray& bytes)
{
    try {
        import(bytes);
    } catch (const EPageRefused& error) {
        return QString::fromUtf8(error.what());
    }
    ADD_FAILURE() << "not refused";
    return {};
}

// Red above, blue below, at a quarter and three quarters of the height.
void expectUpright(const QImage& picture)
{
    const int x = picture.width() / 2;
    EXPECT_TRUE(near(picture.pixelColor(x, picture.height() / 4), kTopColour)) << "top is not red";
    EXPECT_TRUE(near(picture.pixelColor(x, picture.height() * 3 / 4), kBottomColour)) << "bottom is not blue";
}

} // namespace

// Sizes: a 4000 × 3000 photo fills the width, an upright one the height; a
// picture that fits keeps its size, a small one is never enlarged, and a
// thin strip keeps at least one pixel.
TEST(PictureImport, FitsThePictureAreaKeepingProportions)
{
    const struct {
        QSize in, out;
    } cases[] = {{{4000, 3000}, {591, 443}}, {{3000, 4000}, {332, 443}}, {{614, 443}, {614, 443}},
                 {{100, 50}, {100, 50}},     {{1228, 886}, {614, 443}},  {{20000, 10}, {614, 1}},
                 {{8064, 6048}, {591, 443}}, {{615, 100}, {614, 100}}};
    for (const auto& c : cases)
        EXPECT_EQ(fittedPictureSize(c.in), c.out) << c.in.width() << "x" << c.in.height();
}

// A one-pixel checkerboard halved must become an even grey: picking pixels
// would give black or white, averaging gives their mean.
TEST(PictureImport, DownscalingAveragesFineDetail)
{
    QImage board(1228, 886, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
    const QImage scaled = preparePicture(board);
    ASSERT_EQ(scaled.size(), QSize(614, 443));
    int worst = 0;
    for (int y = 0; y < scaled.height(); y += 7)
        for (int x = 0; x < scaled.width(); x += 7)
            worst = std::max(worst, std::abs(qGray(scaled.pixel(x, y)) - 128));
    EXPECT_LE(worst, 3) << "a pixel strays from mid grey by " << worst;
}

// A phone photo stored sideways with orientation 6 comes out upright.
TEST(PictureImport, PhonePhotoIsTurnedUpright)
{
    const QImage picture = import(rotatedPhonePhoto({1500, 2000}));
    EXPECT_EQ(picture.size(), QSize(332, 443));
    expectUpright(picture);

    // The same stored pixels without the tag stay as stored: the turn is the tag's doing.
    const QImage untagged = import(testcontent::encodeJpeg(storedForRightTurn(uprightPicture({1500, 2000}))));
    EXPECT_EQ(untagged.size(), QSize(591, 443));
}

// Transparent parts are laid on white, not left black.
TEST(PictureImport, TransparencyIsLaidOnWhite)
{
    QImage sticker(40, 30, QImage::Format_ARGB32);
    sticker.fill(Qt::transparent);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(sticker.save(&buffer, "PNG"));
    const QImage picture = import(png);
    EXPECT_EQ(picture.size(), QSize(40, 30));
    EXPECT_TRUE(near(picture.pixelColor(20, 15), Qt::white));
}

// Every kind the machine's tools write, HEIC from heif-enc included, is read
// upright at its fitted size; TIFF's own orientation tag is applied too.
TEST(PictureImport, ReadsEveryKindTheToolsWrite)
{
    const QTemporaryDir work;
    const QImage upright = uprightPicture({800, 600});
    const struct {
        const char* name;
        QImage stored;
        QStringList extra;
    } kinds[] = {{"p.png", upright, {}},
                 {"p.webp", upright, {}},
                 {"p.gif", upright, {}},
                 {"p.bmp", upright, {}},
                 {"p.heic", upright, {}},
                 {"p.tif", storedForRightTurn(upright), {QStringLiteral("-orient"), QStringLiteral("RightTop")}}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QString path = work.filePath(QLatin1String(kind.name));
        convertPicture(kind.stored, path, kind.extra);
        const QImage picture = import(readFile(path));
        EXPECT_EQ(picture.size(), QSize(591, 443));
        expectUpright(picture);
    }
}

// Refusals name the reason: a header claiming 20000 × 20000 pixels (before
// any decoding), a file cut off, a text file, a sound file, a PNG claiming a
// chunk far larger than itself.
TEST(PictureImport, RefusesWhatCannotBeAPicture)
{
    const QString huge = pictureRefusal(jpegClaimingSize(20000, 20000));
    EXPECT_TRUE(huge.contains(QStringLiteral("20000 × 20000 pixels"))) << huge.toStdString();

    const QByteArray photo = testcontent::encodeJpeg(uprightPicture({64, 64}));
    EXPECT_TRUE(pictureRefusal(photo.left(photo.size() * 2 / 3)).contains(QStringLiteral("ends early")));
    EXPECT_TRUE(pictureRefusal("Just some words.\n").contains(QStringLiteral("not a picture")));
    EXPECT_TRUE(pictureRefusal(QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) + QByteArray(40, '\0'))
                    .contains(QStringLiteral("not a picture")));
    EXPECT_TRUE(pictureRefusal(QByteArray("\x89PNG\r\n\x1a\n", 8))
                    .startsWith(QStringLiteral("photo: cannot use it as a picture")));
    // Found by fuzzing: 356 bytes whose chunk length made the PNG library
    // take gigabytes before reading a byte of the chunk.
    const QString claimsTooMuch = pictureRefusal(
        readFile(QStringLiteral(TOLVIKA_TEST_FIXTURES "/page/png_claiming_huge_chunk.png")));
    EXPECT_TRUE(claimsTooMuch.contains(QStringLiteral("damaged or ends early"))) << claimsTooMuch.toStdString();
}
