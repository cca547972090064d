#include "platform/ui/bit_btn.h"
#include "platform/ui/label.h"
#include "windows/prg_about.h"

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
