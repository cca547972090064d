#include "tests/windows/program_windows.h"

#include "app/jpeg_image.h"
#include "app/picture_file.h"
#include "platform/ui/colors.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace colors;

namespace {

constexpr int kJpegTolerance = 1; // the float DCT's output differs slightly between builds

bool isOlive(QColor c) { return c.rgb() == clOlive.rgb(); }
bool isRed(QColor c) { return c.red() > 180 && c.green() < 100 && c.blue() < 100; }
bool isBlue(QColor c) { return c.blue() > 150 && c.red() < 100 && c.green() < 120; }

// Pixels of the image inside `area` for which `test` holds.
int count(const QImage& image, QRect area, bool (*test)(QColor))
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

// The first olive pixel of the image, or (-1, -1).
QPoint firstOlive(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isOlive(image.pixelColor(x, y)))
                return {x, y};
    return {-1, -1};
}

// The bitmap a picture area's JPEG decodes to.
QImage decodedPicture(TImage& image)
{
    auto* jpeg = dynamic_cast<TJPEGImage*>(image.Picture().Graphic());
    if (!jpeg)
        return {};
    jpeg->DecodeBitmap();
    return jpeg->Bitmap().convertToFormat(QImage::Format_RGB32);
}

// The picture drawn unscaled at `origin` of the grab (parts outside it are cut
// off), and the area's background wherever the picture does not reach.
void expectPictureAt(const QImage& shot, const QImage& picture, QPoint origin, QColor background)
{
    int mismatches = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint inPicture = QPoint(x, y) - origin;
            const bool covered = picture.rect().contains(inPicture);
            const QColor expected = covered ? picture.pixelColor(inPicture) : background;
            if (!near(shot.pixelColor(x, y), expected, covered ? kJpegTolerance : 0) && ++mismatches <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << (covered ? " (picture)" : " (background)");
            }
        }
    EXPECT_EQ(mismatches, 0);
}

} // namespace

// Memo1 paints navy at its place in the window, with its text in yellow.
TEST(BuiltInPictures, NavyTextAreaInTheWindow)
{
    TfmMain main;
    main.Memo1->setText(QString::fromUtf8("ЖЖЖЖ\nЖЖЖЖ\n"));
    const QImage shot = grabOf(main);
    ASSERT_EQ(shot.size(), QSize(616, 597));
    const QRect memo(8, 457, 497, 80);
    // Inside the 2-pixel sunken border: navy except where the letters are.
    const QRect inside = memo.adjusted(2, 2, -2, -2);
    EXPECT_EQ(shot.pixelColor(inside.bottomRight()), clNavy);
    EXPECT_EQ(shot.pixelColor(inside.right() - 5, inside.top() + 5), clNavy);
    auto navy = [](QColor c) { return c.rgb() == clNavy.rgb(); };
    auto yellow = [](QColor c) { return c.rgb() == clYellow.rgb(); };
    EXPECT_GT(count(shot, inside, +navy), inside.width() * inside.height() / 2);
    EXPECT_GT(count(shot, inside, +yellow), 200);
    EXPECT_EQ(count(shot, QRect(1, 446, 6, 106), +navy), 0); // the panel left of it
    // Two lines of letters: yellow in the upper and in the lower half of the text area.
    EXPECT_GT(count(shot, QRect(inside.left(), inside.top(), inside.width(), 38), +yellow), 100);
    EXPECT_GT(count(shot, QRect(inside.left(), inside.top() + 38, inside.width(), 38), +yellow), 100);
    // The silver folder field.
    EXPECT_EQ(shot.pixelColor(posInWindow(*main.eDataFolder) + QPoint(150, 12)), clSilver);
}

// The repeat control shows only the 17 x 16 Play glyph, at (32, 32) of its 80 x 80 face.
TEST(BuiltInPictures, PlayGlyphCentredInTheRepeatControl)
{
    TfmMain main;
    TMediaPlayer& player = *main.MediaPlayer1;
    const QImage shot = grabOf(player);
    ASSERT_EQ(shot.size(), QSize(80, 80));
    const TMPButtonState& play = player.ButtonState(btPlay);
    ASSERT_EQ(play.PlainGlyph.size(), QSize(17, 16));
    const QPoint origin(32, 32);
    // The drawn glyph is the plain or the disabled one (no device is open here).
    auto matches = [&](const QImage& glyph) {
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x) {
                const QColor g = glyph.pixelColor(x, y);
                const QColor s = shot.pixelColor(origin + QPoint(x, y));
                if (s != (isOlive(g) ? btnFace() : g))
                    return false;
            }
        return true;
    };
    EXPECT_TRUE(matches(play.PlainGlyph.convertToFormat(QImage::Format_RGB32))
                || matches(play.DisabledGlyph.convertToFormat(QImage::Format_RGB32)));
    // Nothing else is drawn on the face between the frame and the glyph.
    const QRect face = QRect(0, 0, 80, 80).adjusted(4, 4, -4, -4);
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x)
            if (!QRect(origin, QSize(17, 16)).contains(x, y)) {
                ASSERT_EQ(shot.pixelColor(x, y), btnFace()) << x << "," << y;
            }
    EXPECT_EQ(firstOlive(shot), QPoint(-1, -1));
}

// The fallback picture copied into Image1 shows whole and unscaled, 11 pixels from the left and 12 from the top.
TEST(BuiltInPictures, FallbackPictureCentredInThePictureArea)
{
    TfmMain main;
    ClonePicture(*main.Image2, *main.Image1);
    ASSERT_EQ(main.Image1->size(), QSize(614, 443));
    EXPECT_EQ(main.Image1->pictureOrigin(), QPoint(11, 12));
    const QImage shot = grabOf(*main.Image1);
    const QImage picture = decodedPicture(*main.Image1);
    ASSERT_EQ(picture.size(), QSize(592, 419));
    expectPictureAt(shot, picture, QPoint(11, 12), btnFace());

    // What it shows: a ground faded almost to white, red letters in its centre.
    long lightness = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            lightness += picture.pixelColor(x, y).lightness();
    EXPECT_GT(lightness / (592 * 419), 200);
    EXPECT_GT(count(picture, QRect(148, 105, 296, 210), isRed), 2000);
    EXPECT_LT(count(picture, QRect(0, 0, 592, 60), isRed), 50);
    // Later loads into Image1 leave Image2's picture alone.
    EXPECT_NE(main.Image1->Picture().Graphic(), main.Image2->Picture().Graphic());
}

// The title picture at start-up: centred too, red and blue letters on a light ground.
TEST(BuiltInPictures, TitlePictureAtStartUp)
{
    TfmMain main;
    const QImage shot = grabOf(*main.Image1);
    const QImage picture = decodedPicture(*main.Image1);
    ASSERT_EQ(picture.size(), QSize(592, 419));
    expectPictureAt(shot, picture, QPoint(11, 12), btnFace());
    EXPECT_GT(count(picture, picture.rect(), isRed), 3000);
    EXPECT_GT(count(picture, picture.rect(), isBlue), 3000);
}

// A picture larger than the area is cut off equally on both sides.
TEST(BuiltInPictures, LargerPictureCutEquallyOnBothSides)
{
    TfmMain main;
    main.show();
    main.resize(300, 400); // Image1: 298 x (400 - 152 - 2)
    const QSize area = main.Image1->size();
    ASSERT_EQ(area, QSize(298, 246));
    const QPoint origin((298 - 592) / 2, (246 - 419) / 2);
    EXPECT_EQ(main.Image1->pictureOrigin(), origin);
    EXPECT_EQ(-origin.x(), 592 - 298 + origin.x()); // 147 cut at each side
    expectPictureAt(grabOf(*main.Image1), decodedPicture(*main.Image1), origin, btnFace());
}

// The glyphs' olive never shows anywhere in the window, also while a button is held down.
TEST(BuiltInPictures, OliveNeverVisible)
{
    TfmMain main; // no companions: the buttons' clicks open nothing here
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(firstOlive(grabOf(main)), QPoint(-1, -1));
    for (TSpeedButton* button : {main.sbHelp, main.SpeedButton1, main.btnDir, main.SpeedButton2}) {
        SCOPED_TRACE(button->Name.toStdString());
        const QPoint centre = button->rect().center();
        QTest::mousePress(button, Qt::LeftButton, {}, centre);
        ASSERT_TRUE(button->isDown());
        const QImage shot = grabOf(main);
        EXPECT_EQ(firstOlive(shot), QPoint(-1, -1));
        // The glyph's left cell, moved one pixel right and down, with the face where it was olive.
        const QImage glyph = button->Glyph();
        const QPoint origin = posInWindow(*button) + button->glyphOrigin(true);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb g = glyph.pixel(x, y);
                const QColor expected = qAlpha(g) == 0 ? btnFace() : QColor(g);
                ASSERT_EQ(shot.pixelColor(origin + QPoint(x, y)), expected) << x << "," << y;
            }
        QTest::mouseMove(button, QPoint(-50, -50)); // leave it, so the release clicks nothing
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-50, -50));
        EXPECT_FALSE(button->isDown());
    }
    main.hide();
}
