// The program's windows as one group: minimising the main window takes the
// visible ones away until it is restored, without running their show and hide
// events again.
#include "platform/ui/form.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* kLayout = "object f: TForm\n  Width = 200\n  Height = 100\nend\n";

struct Counted {
    TForm form{TForm::LayoutText{kLayout}};
    int shows = 0;
    int hides = 0;
    Counted()
    {
        form.OnShow = [this](TControl*) { ++shows; };
        form.OnHide = [this](TControl*) { ++hides; };
    }
};

struct Group {
    Counted main, help, about;
    Group() { TForm::setMainForm(&main.form); }
    ~Group() { TForm::setMainForm(nullptr); }
};

} // namespace

TEST(WindowGroup, MinimisingTheMainWindowTakesTheVisibleOnesAlong)
{
    Group group;
    group.main.form.Show();
    group.help.form.Show();
    ASSERT_TRUE(group.help.form.isVisible());
    ASSERT_FALSE(group.about.form.isVisible());

    group.main.form.showMinimized();
    EXPECT_FALSE(group.help.form.isVisible());
    EXPECT_FALSE(group.about.form.isVisible());
    EXPECT_EQ(group.help.hides, 0) << "not hidden as far as the program is concerned";

    group.main.form.showNormal();
    EXPECT_TRUE(group.help.form.isVisible());
    EXPECT_FALSE(group.about.form.isVisible()) << "only what minimising hid comes back";
    EXPECT_EQ(group.help.shows, 1) << "coming back is not a new showing";

    // A window closed while hidden with the group does not come back; the next
    // minimise and restore work as the first.
    group.main.form.showMinimized();
    group.help.form.Close();
    group.about.form.Show();
    group.main.form.showNormal();
    EXPECT_FALSE(group.help.form.isVisible());
    EXPECT_TRUE(group.about.form.isVisible());
    group.main.form.showMinimized();
    EXPECT_FALSE(group.about.form.isVisible());
    group.main.form.showNormal();
    EXPECT_TRUE(group.about.form.isVisible());
}

// Minimising another window leaves the rest as they are.
TEST(WindowGroup, OnlyTheMainWindowLeadsTheGroup)
{
    Group group;
    group.main.form.Show();
    group.help.form.Show();
    group.about.form.Show();
    group.help.form.showMinimized();
    EXPECT_TRUE(group.main.form.isVisible());
    EXPECT_TRUE(group.about.form.isVisible());
}
