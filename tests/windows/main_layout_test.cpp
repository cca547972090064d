#include "tests/windows/program_windows.h"

#include "app/jpeg_image.h"
#include "platform/ui/check_box.h"
#include "platform/ui/colors.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "windows/open_dialog_component.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>

using namespace colors;

namespace {

struct Place {
    const char* name;
    const char* parent;
    QRect bounds;
    TAlign align;
};

// Every control of the main window with its parent, bounds and alignment at 120 dpi.
const Place kPlaces[] = {
    {"Panel1", "fmMain", {0, 0, 616, 445}, TAlign::alClient},
    {"Image1", "Panel1", {1, 1, 614, 443}, TAlign::alClient},
    {"Image2", "Panel1", {128, 144, 393, 265}, TAlign::alNone},
    {"Panel2", "fmMain", {0, 553, 616, 44}, TAlign::alBottom},
    {"sbHelp", "Panel2", {2, 8, 25, 25}, TAlign::alNone},
    {"SpeedButton1", "Panel2", {27, 8, 25, 25}, TAlign::alNone},
    {"btnDir", "Panel2", {178, 8, 25, 25}, TAlign::alNone},
    {"SpeedButton3", "Panel2", {59, 8, 25, 25}, TAlign::alNone},
    {"cbSound", "Panel2", {96, 8, 73, 25}, TAlign::alNone},
    {"eDataFolder", "Panel2", {200, 8, 302, 25}, TAlign::alNone},
    {"Panel4", "Panel2", {513, 2, 101, 40}, TAlign::alRight},
    {"SpeedButton2", "Panel4", {10, 8, 83, 25}, TAlign::alNone},
    {"Panel5", "fmMain", {0, 445, 616, 108}, TAlign::alBottom},
    {"Memo1", "Panel5", {8, 12, 497, 80}, TAlign::alNone},
    {"Panel3", "Panel5", {511, 1, 104, 106}, TAlign::alRight},
    {"MediaPlayer1", "Panel3", {8, 8, 80, 80}, TAlign::alNone},
};

struct OwnFont {
    const char* name;
    const char* family;
    int height;
    bool bold;
    std::optional<QColor> color; // none: the system's window-text colour
};

// The controls whose font is their own; every other control takes the window's.
const OwnFont kOwnFonts[] = {
    {"SpeedButton3", "Times New Roman", 20, true, clRed},
    {"cbSound", "Times New Roman", 17, false, std::nullopt},
    {"eDataFolder", "Times New Roman", 15, false, std::nullopt},
    {"SpeedButton2", "Times New Roman", 17, true, clRed},
    {"Memo1", "Times New Roman", 27, true, clYellow},
};

const std::pair<const char*, int> kTabOrders[] = {
    {"Panel1", 0}, {"Panel2", 1}, {"Panel5", 2}, {"cbSound", 0},      {"eDataFolder", 1},
    {"Panel4", 2}, {"Memo1", 0},  {"Panel3", 1}, {"MediaPlayer1", 0},
};

QString parentName(const TControl& control)
{
    const TControl* parent = control.parentControl();
    return parent ? parent->Name : QString();
}

} // namespace

// The window's caption and size: outer 624 x 630, so a client area of 616 x 597.
TEST(MainWindowLayout, CaptionAndSize)
{
    TfmMain main;
    EXPECT_EQ(main.Caption(), "Tolvika");
    EXPECT_EQ(main.size(), QSize(616, 597));
    EXPECT_EQ(main.size() + QSize(2 * TForm::kFrameSide, TForm::kFrameTop + TForm::kFrameSide), QSize(624, 630));
    EXPECT_EQ(main.Position, TPosition::poScreenCenter);
    EXPECT_EQ(main.PixelsPerInch, 120);
    EXPECT_EQ(main.TextHeight, 16);
    EXPECT_EQ(main.Color(), btnFace());
    EXPECT_FALSE(main.ShowHint());
    EXPECT_TRUE(main.isHidden()); // the layout shows no window
}

// The first showing centres the outer window on the screen, halves rounded toward zero.
TEST(MainWindowLayout, CentredOnTheScreenAtFirstShowing)
{
    ProgramWindows windows;
    windows.showMain();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(windows.main.pos(),
              QPoint(screen.x() + (screen.width() - 624) / 2, screen.y() + (screen.height() - 630) / 2));
    EXPECT_EQ(QApplication::focusWidget(), windows.main.Memo1); // the active control at start
}

// Every control has the parent, bounds and alignment of the design.
TEST(MainWindowLayout, ControlTreeBoundsAndAlignment)
{
    TfmMain main;
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.name);
        TControl& control = controlOf(main, place.name);
        EXPECT_EQ(parentName(control), QString::fromLatin1(place.parent));
        EXPECT_EQ(control.widget()->geometry(), place.bounds);
        EXPECT_EQ(control.Align, place.align);
    }
    EXPECT_EQ(posInWindow(*main.Memo1), QPoint(8, 457));
    EXPECT_EQ(posInWindow(*main.MediaPlayer1), QPoint(519, 454));
    EXPECT_EQ(posInWindow(*main.Image1), QPoint(1, 1));
    EXPECT_EQ(posInWindow(*main.Panel4), QPoint(513, 555));
    EXPECT_EQ(posInWindow(*main.Panel3), QPoint(511, 446));
    // The edit field covers the right-most 3 pixels of the folder button.
    EXPECT_EQ(main.btnDir->geometry().right() - main.eDataFolder->geometry().left() + 1, 3);
}

// Bevels: Panel2 lowered twice (client inset 2), every other panel one raised bevel.
TEST(MainWindowLayout, PanelBevels)
{
    TfmMain main;
    EXPECT_EQ(main.Panel2->BevelOuter, TBevelCut::bvLowered);
    EXPECT_EQ(main.Panel2->BevelInner, TBevelCut::bvLowered);
    EXPECT_EQ(main.Panel2->clientArea(), QRect(2, 2, 612, 40));
    for (TPanel* panel : {main.Panel1, main.Panel3, main.Panel4, main.Panel5}) {
        SCOPED_TRACE(panel->Name.toStdString());
        EXPECT_EQ(panel->BevelOuter, TBevelCut::bvRaised);
        EXPECT_EQ(panel->BevelInner, TBevelCut::bvNone);
        EXPECT_EQ(panel->BevelWidth, 1);
        EXPECT_EQ(panel->clientArea(), panel->rect().adjusted(1, 1, -1, -1));
        EXPECT_TRUE(panel->Caption.isEmpty());
        EXPECT_EQ(panel->Color(), btnFace());
    }
}

// Fonts: five controls have their own, the rest follow the window's 13-pixel sans serif.
TEST(MainWindowLayout, FontsAndColours)
{
    TfmMain main;
    const TFont& windowFont = main.Font();
    EXPECT_EQ(windowFont.Name, "MS Sans Serif");
    EXPECT_EQ(windowFont.Height, 13);
    EXPECT_FALSE(windowFont.Bold);
    EXPECT_EQ(windowFont.Color, windowText());
    for (const OwnFont& own : kOwnFonts) {
        SCOPED_TRACE(own.name);
        TControl& control = controlOf(main, own.name);
        EXPECT_FALSE(control.ParentFont());
        EXPECT_EQ(control.Font().Name, QString::fromLatin1(own.family));
        EXPECT_EQ(control.Font().Height, own.height);
        EXPECT_EQ(control.Font().Bold, own.bold);
        EXPECT_EQ(control.Font().Color, own.color.value_or(windowText()));
        EXPECT_EQ(control.widget()->font().family(), "Liberation Serif");
        EXPECT_EQ(control.widget()->font().pixelSize(), own.height);
    }
    for (const Place& place : kPlaces) {
        const bool own = std::any_of(std::begin(kOwnFonts), std::end(kOwnFonts),
                                     [&](const OwnFont& f) { return qstrcmp(f.name, place.name) == 0; });
        if (!own) {
            EXPECT_TRUE(controlOf(main, place.name).ParentFont()) << place.name;
        }
    }
    // Memo1: bold yellow 27-pixel serif on navy.
    EXPECT_EQ(QFontMetrics(main.Memo1->font()).height(), 30);
    EXPECT_EQ(main.Memo1->Color(), clNavy);
    EXPECT_EQ(main.Memo1->palette().color(QPalette::Base), clNavy);
    EXPECT_EQ(main.Memo1->palette().color(QPalette::Text), clYellow);
    EXPECT_EQ(main.eDataFolder->Color(), clSilver);
    EXPECT_EQ(main.eDataFolder->palette().color(QPalette::Base), clSilver);
}

// Tooltip settings: hints are on for exactly four buttons; the others carry texts that never show.
TEST(MainWindowLayout, HintSettings)
{
    TfmMain main;
    const std::pair<const char*, const char*> shown[] = {
        {"sbHelp", "Информация о программе"},
        {"SpeedButton1", "Помощь"},
        {"SpeedButton3", "Welcome страничка"},
        {"btnDir", "Сменить папку с данными"},
    };
    for (const auto& [name, hint] : shown) {
        EXPECT_TRUE(controlOf(main, name).ShowHint()) << name;
        EXPECT_EQ(controlOf(main, name).Hint, QString::fromUtf8(hint)) << name;
    }
    for (const Place& place : kPlaces) {
        const bool on = std::any_of(std::begin(shown), std::end(shown),
                                    [&](const auto& s) { return qstrcmp(s.first, place.name) == 0; });
        EXPECT_EQ(controlOf(main, place.name).ShowHint(), on) << place.name;
    }
    EXPECT_EQ(main.eDataFolder->Hint, QString::fromUtf8("Папка с данными"));
    EXPECT_EQ(main.MediaPlayer1->Hint, QString::fromUtf8("Повторить"));
    EXPECT_TRUE(main.SpeedButton2->Hint.isEmpty());
    EXPECT_FALSE(main.Panel2->ShowHint());
    EXPECT_FALSE(main.Panel2->ParentShowHint()); // its own setting, not the window's
}

// Stored tab orders within each container.
TEST(MainWindowLayout, TabOrders)
{
    TfmMain main;
    for (const auto& [name, order] : kTabOrders)
        EXPECT_EQ(controlOf(main, name).TabOrder, order) << name;
}

// Memo1: read-only, word-wrapped, no scroll bars, two lines in view; the caret
// keys still move through the text and bring further lines into view.
TEST(MainWindowLayout, TextAreaSettingsAndCaretKeys)
{
    ProgramWindows windows;
    TMemo& memo = *windows.main.Memo1;
    EXPECT_EQ(memo.Text(), "Memo1\n");
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo.frameShadow(), QFrame::Sunken);

    windows.showMain();
    EXPECT_EQ(memo.viewport()->height(), 76); // inside the sunken border
    memo.setText("one\ntwo\nthree\nfour\n");
    memo.setFocus();
    QTextCursor start = memo.textCursor();
    start.movePosition(QTextCursor::Start);
    memo.setTextCursor(start);
    EXPECT_EQ(memo.verticalScrollBar()->value(), 0);
    // Space moves no caret, so it brings no further line into view.
    QTest::keyClick(&memo, Qt::Key_Space);
    QTest::keyClick(&memo, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(&memo, Qt::Key_Space);
    EXPECT_EQ(memo.verticalScrollBar()->value(), 0);
    EXPECT_EQ(memo.textCursor().blockNumber(), 0);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&memo, Qt::Key_Down);
    EXPECT_EQ(memo.textCursor().blockNumber(), 3);
    EXPECT_GT(memo.verticalScrollBar()->value(), 0); // "four" has come into view
    QTest::keyClick(&memo, Qt::Key_PageUp);
    EXPECT_LT(memo.textCursor().blockNumber(), 3);
    EXPECT_EQ(memo.Text(), "one\ntwo\nthree\nfour\n"); // keys never change the text
}

// eDataFolder is read-only and empty at start; its height follows its font; cbSound is checked.
TEST(MainWindowLayout, FolderFieldAndSoundBox)
{
    TfmMain main;
    EXPECT_TRUE(main.eDataFolder->isReadOnly());
    EXPECT_TRUE(main.eDataFolder->Text().isEmpty());
    EXPECT_EQ(main.eDataFolder->height(), TEdit::lineHeight(main.eDataFolder->font()) + TEdit::kAutoSizeExtra);
    EXPECT_TRUE(main.cbSound->Checked());
    EXPECT_EQ(main.cbSound->text(), "Sound");
    EXPECT_EQ(main.cbSound->layoutDirection(), Qt::LeftToRight); // caption right of the box
}

// Speed buttons never take the focus; four carry two-cell 32 x 16 glyphs whose
// olive is transparent; SpeedButton3 has only its caption.
TEST(MainWindowLayout, SpeedButtonsAndGlyphs)
{
    TfmMain main;
    for (TSpeedButton* button : {main.sbHelp, main.SpeedButton1, main.btnDir, main.SpeedButton2, main.SpeedButton3})
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->Name.toStdString();
    for (TSpeedButton* button : {main.sbHelp, main.SpeedButton1, main.btnDir, main.SpeedButton2}) {
        SCOPED_TRACE(button->Name.toStdString());
        const QImage& glyph = button->Glyph();
        ASSERT_EQ(glyph.size(), QSize(32, 16));
        EXPECT_EQ(qAlpha(glyph.pixel(0, 15)), 0); // the bottom-left colour is transparent
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = glyph.pixel(x, y);
                if (qAlpha(pixel) == 0)
                    continue;
                ++opaque;
                ASSERT_NE(QColor(pixel).rgb(), clOlive.rgb()) << x << "," << y;
            }
        EXPECT_GT(opaque, 20);
        // The stored bitmap itself is olive there: that colour is the transparent one.
        QFile file(QStringLiteral(":/windows/resources/glyphs/%1.glyph").arg(button->Name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray stream = file.readAll();
        ASSERT_EQ(qFromLittleEndian<quint32>(stream.constData()), 374u);
        QImage raw;
        ASSERT_TRUE(raw.loadFromData(stream.mid(4), "BMP"));
        EXPECT_EQ(QColor(raw.pixel(0, 15)), clOlive);
    }
    EXPECT_TRUE(main.SpeedButton3->Glyph().isNull());
    EXPECT_EQ(main.SpeedButton3->Caption, "A");
    EXPECT_EQ(main.SpeedButton2->Caption, "Exit");
    for (TSpeedButton* button : {main.sbHelp, main.SpeedButton1, main.btnDir})
        EXPECT_TRUE(button->Caption.isEmpty());
}

// The repeat control: Play only, visible and enabled, no auto-rewind, always 80 x 80.
TEST(MainWindowLayout, RepeatControlSettings)
{
    TfmMain main;
    TMediaPlayer& player = *main.MediaPlayer1;
    EXPECT_EQ(player.VisibleButtons(), TButtonSet{btPlay});
    EXPECT_EQ(player.EnabledButtons(), TButtonSet{btPlay});
    EXPECT_EQ(player.ColoredButtons(), (TButtonSet{btNext, btPrev, btStep, btBack, btRecord, btEject}));
    EXPECT_TRUE(player.ButtonState(btPlay).Visible);
    EXPECT_TRUE(player.ButtonState(btPlay).Enabled);
    EXPECT_FALSE(player.ButtonState(btPlay).Colored);
    for (TMPBtnType other : {btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject})
        EXPECT_FALSE(player.ButtonState(other).Visible) << int(other);
    EXPECT_FALSE(player.AutoRewind());
    EXPECT_EQ(player.Display(), &main);
    EXPECT_FALSE(player.isHidden());
    EXPECT_EQ(player.size(), QSize(80, 80));
    player.SetBounds(8, 8, 300, 20);
    EXPECT_EQ(player.size(), QSize(80, 80));
}

// The open-file dialog's stored settings.
TEST(MainWindowLayout, OpenDialogSettings)
{
    TfmMain main;
    const TOpenDialog& dialog = main.OpenDialog1->Dialog;
    EXPECT_EQ(dialog.DefaultExt, "txt");
    EXPECT_EQ(dialog.Filter, "data.txt|data.txt");
    EXPECT_EQ(dialog.Options, TOpenOption::ofHideReadOnly | TOpenOption::ofPathMustExist | TOpenOption::ofEnableSizing);
    EXPECT_TRUE(dialog.Title.isEmpty());
    EXPECT_TRUE(dialog.InitialDir.isEmpty());
    EXPECT_TRUE(dialog.FileName.isEmpty());
}

// Image1 holds the title picture, centred and unstretched; the hidden Image2 the fallback picture.
TEST(MainWindowLayout, BuiltInPictures)
{
    TfmMain main;
    EXPECT_TRUE(main.Image1->Center);
    EXPECT_TRUE(main.Image2->isHidden());
    for (TImage* image : {main.Image1, main.Image2}) {
        SCOPED_TRACE(image->Name.toStdString());
        auto* jpeg = dynamic_cast<TJPEGImage*>(image->Picture().Graphic());
        ASSERT_NE(jpeg, nullptr);
        EXPECT_EQ(QSize(jpeg->Width(), jpeg->Height()), QSize(592, 419));
        EXPECT_FALSE(jpeg->Decoded()); // only the header is read with the layout
        EXPECT_FALSE(jpeg->ProgressiveEncoding());
        EXPECT_FALSE(jpeg->Grayscale());
    }
    auto* title = dynamic_cast<TJPEGImage*>(main.Image1->Picture().Graphic());
    auto* fallback = dynamic_cast<TJPEGImage*>(main.Image2->Picture().Graphic());
    ASSERT_TRUE(title && fallback);
    EXPECT_NE(title->Data(), fallback->Data());
    EXPECT_EQ(main.Image1->pictureOrigin(), QPoint(11, 12));
}

// Resizing: Panel1 and Image1 take the whole change, everything else keeps its
// size and its place from its parent's top-left corner (right-aligned panels
// from the right edge), and the picture stays centred.
TEST(MainWindowLayout, ResizingChangesOnlyThePictureArea)
{
    TfmMain main;
    main.show();
    main.resize(800, 700);
    EXPECT_EQ(main.Panel1->geometry(), QRect(0, 0, 800, 548));
    EXPECT_EQ(main.Image1->geometry(), QRect(1, 1, 798, 546));
    EXPECT_EQ(main.Panel5->geometry(), QRect(0, 548, 800, 108));
    EXPECT_EQ(main.Panel2->geometry(), QRect(0, 656, 800, 44));
    EXPECT_EQ(main.Panel4->geometry(), QRect(697, 2, 101, 40));
    EXPECT_EQ(main.Panel3->geometry(), QRect(695, 1, 104, 106));
    for (const Place& place : kPlaces)
        if (place.align == TAlign::alNone) {
            EXPECT_EQ(controlOf(main, place.name).widget()->geometry(), place.bounds) << place.name;
        }
    EXPECT_EQ(main.Image1->pictureOrigin(), QPoint((798 - 592) / 2, (546 - 419) / 2));
    main.resize(616, 597);
    EXPECT_EQ(main.Image1->geometry(), QRect(1, 1, 614, 443));
    EXPECT_EQ(main.Image1->pictureOrigin(), QPoint(11, 12));
    main.hide();
}
