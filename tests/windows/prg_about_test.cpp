#include "platform/ui/bevel.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "windows/prg_about.h"

#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* kMainLayout = "object fmMain: TForm\n  Width = 624\n  Height = 630\nend\n";

struct MainFormScope {
    TForm form{TForm::LayoutText{kMainLayout}};
    MainFormScope() { TForm::setMainForm(&form); }
    ~MainFormScope() { TForm::setMainForm(nullptr); }
};

} // namespace

// The About window shows its fixed texts in their places and fonts.
TEST(AboutWindow, FixedTextsAndLayout)
{
    TfmPrgAbout about;
    EXPECT_EQ(about.Caption(), QString::fromUtf8("О программе"));
    EXPECT_EQ(about.size(), QSize(500, 279));
    EXPECT_EQ(about.Label1->text(), "TOLVIKA");
    EXPECT_EQ(about.Label2->text(), QString::fromUtf8("Версия 1.2 от 10 сент. 2002 г. (for Windows XP)"));
    EXPECT_EQ(about.Label1->pos(), QPoint(16, 16));
    EXPECT_EQ(about.Label2->pos(), QPoint(16, 112));
    EXPECT_EQ(about.Label1->Font().Color, QColor(255, 0, 0));
    EXPECT_EQ(about.Label3->Font().Color, QColor(0, 128, 128));
    EXPECT_EQ(about.btnExit->geometry(), QRect(208, 8, 97, 33));
    EXPECT_EQ(about.btnExit->parentWidget()->geometry(), QRect(0, 225, 500, 54));
}

// The first showing centres it over the main window, even a moved one; later showings keep its place.
TEST(AboutWindow, CentredOverMainWindowOnlyAtFirstShowing)
{
    MainFormScope main;
    main.form.move(100, 50);
    main.form.show();
    TfmPrgAbout about;
    about.Show();
    // (624 - 508) / 2 = 58 and (630 - 312) / 2 = 159 from the main window's corner.
    EXPECT_EQ(about.pos(), QPoint(158, 209));
    about.move(10, 20);
    about.btnExit->click();
    EXPECT_FALSE(about.isVisible());
    main.form.move(300, 300);
    about.Show();
    EXPECT_EQ(about.pos(), QPoint(10, 20));
}

// Enter right after the window has appeared presses OK, which only hides it.
TEST(AboutWindow, EnterClosesItThroughOk)
{
    MainFormScope main;
    main.form.show();
    TfmPrgAbout about;
    about.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    EXPECT_EQ(QApplication::focusWidget(), about.btnExit);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(300); // the button's click animation
    EXPECT_FALSE(about.isVisible());
}

namespace {

struct LabelFont {
    const char* name;
    const char* family;
    int height;
    bool bold;
    QColor color;
};

const LabelFont kLabels[] = {
    {"Label1", "Times New Roman", 27, true, QColor(255, 0, 0)},
    {"Label2", "MS Sans Serif", 17, false, QColor(0, 0, 128)},
    {"Label3", "MS Sans Serif", 17, false, QColor(0, 128, 128)},
    {"Label4", "MS Sans Serif", 17, false, QColor(0, 128, 128)},
    {"Label5", "MS Sans Serif", 17, true, QColor(0, 0, 128)},
};

} // namespace

// Each label has its font and colour, sizes itself to its text, fits inside the
// panel, and paints its parent's colour behind the text.
TEST(AboutWindow, LabelFontsColoursAndFit)
{
    TfmPrgAbout about;
    const QRect client = about.Panel1->clientArea();
    const QImage shot = about.grab().toImage();
    for (const LabelFont& expected : kLabels) {
        SCOPED_TRACE(expected.name);
        auto& label = about.component<TLabel>(expected.name);
        EXPECT_EQ(label.Font().Name, QString::fromLatin1(expected.family));
        EXPECT_EQ(label.Font().Height, expected.height);
        EXPECT_EQ(label.Font().Bold, expected.bold);
        EXPECT_EQ(label.Font().Color, expected.color);
        EXPECT_EQ(label.palette().color(QPalette::WindowText), expected.color);
        const QFontMetrics metrics(label.font());
        EXPECT_EQ(label.size(), QSize(metrics.horizontalAdvance(label.text()), metrics.height()));
        EXPECT_TRUE(client.contains(label.geometry())) << "clipped: right edge " << label.geometry().right();
        EXPECT_TRUE(label.autoFillBackground());
        // The label's top-left pixel is background; some pixels carry the text colour.
        const QPoint at = label.mapTo(&about, QPoint(0, 0));
        EXPECT_EQ(QColor(shot.pixel(at)), QColor(about.Panel1->Color().rgb()));
        int inColour = 0;
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x)
                inColour += QColor(shot.pixel(at + QPoint(x, y))) == expected.color;
        EXPECT_GT(inColour, 10);
    }
    // The author, web-site and contact lines carry texts of their own.
    for (TLabel* label : {about.Label3, about.Label4, about.Label5})
        EXPECT_FALSE(label->text().isEmpty());
}

// The two bevels are lowered boxes across the panel, drawn etched: a shadow
// rectangle with a highlight rectangle one pixel further in and down.
TEST(AboutWindow, BevelsDrawnEtched)
{
    TfmPrgAbout about;
    EXPECT_EQ(about.Bevel1->geometry(), QRect(8, 144, 481, 17));
    EXPECT_EQ(about.Bevel2->geometry(), QRect(8, 56, 481, 17));
    // As 8-bit colours, the way a grab holds them.
    const QColor shadow(QApplication::palette().color(QPalette::Dark).rgb());
    const QColor highlight(QApplication::palette().color(QPalette::Light).rgb());
    ASSERT_NE(shadow, highlight);
    const QImage shot = about.grab().toImage();
    for (TBevel* bevel : {about.Bevel1, about.Bevel2}) {
        SCOPED_TRACE(bevel->Name.toStdString());
        EXPECT_TRUE(bevel->Lowered);
        const QPoint o = bevel->mapTo(&about, QPoint(0, 0));
        const int w = bevel->width(), h = bevel->height();
        auto at = [&](int x, int y) { return QColor(shot.pixel(o + QPoint(x, y))); };
        EXPECT_EQ(at(0, 0), shadow);
        EXPECT_EQ(at(w / 2, 0), shadow);
        EXPECT_EQ(at(0, h / 2), shadow);
        EXPECT_EQ(at(w - 2, h - 2), shadow);
        EXPECT_EQ(at(1, 1), highlight);
        EXPECT_EQ(at(w / 2, 1), highlight);
        EXPECT_EQ(at(w - 1, h - 1), highlight);
        EXPECT_EQ(at(w - 1, h / 2), highlight);
        EXPECT_EQ(at(w / 2, h / 2), QColor(about.Panel1->Color().rgb())); // hollow inside
    }
}

// The panels' bevels: Panel1 raised outside and lowered inside, Panel2 one raised bevel.
TEST(AboutWindow, PanelBevels)
{
    TfmPrgAbout about;
    EXPECT_EQ(about.Panel1->BevelOuter, TBevelCut::bvRaised);
    EXPECT_EQ(about.Panel1->BevelInner, TBevelCut::bvLowered);
    EXPECT_EQ(about.Panel1->clientArea(), QRect(2, 2, 496, 221));
    EXPECT_EQ(about.Panel2->BevelOuter, TBevelCut::bvRaised);
    EXPECT_EQ(about.Panel2->BevelInner, TBevelCut::bvNone);
    EXPECT_EQ(about.btnExit->Font().Height, 17);
    EXPECT_FALSE(about.btnExit->isDefault());
}
