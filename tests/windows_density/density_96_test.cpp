// The main window's layout on a screen of 96 dots per inch instead of the
// design's 120: this test program sets that density for itself before the
// application object exists (the harness's own setting is for 120).
#include "platform/ui/bevel.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const bool kAt96Dpi = [] {
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    return true;
}();

} // namespace

// The screen is at 96 dpi; the window font becomes MulDiv(13, 96, 120) = 10 pixels.
// The scalable fonts' text heights, and so the controls, scale by 96 / 120 = 12 / 15.
TEST(Density96, ScreenAndWindowFont)
{
    ASSERT_EQ(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()), 96);
    TfmMain main;
    EXPECT_EQ(main.Font().Height, 10);
    EXPECT_EQ(main.font().pixelSize(), 10);
    EXPECT_EQ(main.Panel1->font().pixelSize(), 10); // the controls that take it follow
}

// The outer size stays; controls scale by their far edges; aligned panels take their places again.
TEST(Density96, MainWindowScaledByTheRule)
{
    TfmMain main;
    EXPECT_EQ(main.size(), QSize(616, 597)); // outer 624 x 630, not scaled
    // Memo1 (8, 12, 497, 80): left 6.4, top 9.6, right edge 404, bottom edge 73.6.
    EXPECT_EQ(main.Memo1->geometry(), QRect(6, 10, 398, 64));
    // Touching buttons still touch: sbHelp 2..27 and SpeedButton1 27..52 become 2..22 and 22..42.
    EXPECT_EQ(main.sbHelp->geometry(), QRect(2, 6, 20, 20));
    EXPECT_EQ(main.SpeedButton1->geometry(), QRect(22, 6, 20, 20));
    EXPECT_EQ(main.SpeedButton2->geometry(), QRect(8, 6, 66, 20));
    EXPECT_EQ(main.cbSound->geometry(), QRect(77, 6, 58, 20));
    // Bottom panels: Panel2 36 high at the very bottom, Panel5 86 high above it, Panel1 the rest.
    EXPECT_EQ(main.Panel2->geometry(), QRect(0, 561, 616, 36));
    EXPECT_EQ(main.Panel5->geometry(), QRect(0, 475, 616, 86));
    EXPECT_EQ(main.Panel1->geometry(), QRect(0, 0, 616, 475));
    EXPECT_EQ(main.Image1->geometry(), QRect(1, 1, 614, 473));
    // Right-aligned panels keep their scaled widths at the right edges.
    EXPECT_EQ(main.Panel4->geometry(), QRect(614 - 81, 2, 81, 32));
    EXPECT_EQ(main.Panel3->geometry(), QRect(615 - 83, 1, 83, 84));
    // The repeat control keeps its constraints: 80 x 80 at the scaled place.
    EXPECT_EQ(main.MediaPlayer1->geometry(), QRect(6, 6, 80, 80));
    // The picture is not scaled: whole and centred in the taller area.
    EXPECT_EQ(main.Image1->pictureOrigin(), QPoint((614 - 592) / 2, (473 - 419) / 2));
}

// Own fonts scale through their point size; the others follow the window font.
TEST(Density96, OwnFontsScaled)
{
    TfmMain main;
    EXPECT_EQ(main.Memo1->Font().Height, 21); // 20 pt at 96 dpi, 16 pt scaled, 21 px
    EXPECT_EQ(main.SpeedButton3->Font().Height, 16); // 15 pt, 12 pt
    EXPECT_EQ(main.cbSound->Font().Height, 13); // 13 pt, 10 pt
    EXPECT_EQ(main.eDataFolder->Font().Height, 12); // 11 pt, 9 pt
    EXPECT_EQ(main.SpeedButton2->Font().Height, 13);
    EXPECT_EQ(main.Memo1->font().pixelSize(), 21);
    EXPECT_TRUE(main.Memo1->Font().Bold);
    EXPECT_EQ(main.Panel2->Font().Height, 10); // taken from the window
    // The folder field's height still follows its font.
    EXPECT_EQ(main.eDataFolder->height(), TEdit::lineHeight(main.eDataFolder->font()) + TEdit::kAutoSizeExtra);
}

// The Help and About windows keep their outer sizes too and scale their controls.
TEST(Density96, OtherWindowsScaled)
{
    TfmHelp help;
    EXPECT_EQ(help.size(), QSize(505, 663));
    EXPECT_EQ(help.btnExit->geometry(), QRect(166, 6, 78, 27)); // (208, 8, 97, 33) by 12 / 15
    EXPECT_EQ(help.Panel1->geometry(), QRect(0, 663 - 37, 505, 37)); // 493..530
    TfmPrgAbout about;
    EXPECT_EQ(about.size(), QSize(500, 279));
    EXPECT_EQ(about.Bevel2->geometry(), QRect(6, 45, 385, 13));
}
