// The services that need a person go through the installed dialogs, and the
// scripted stand-in records and answers as its script says.
#include "app/desktop_dialogs.h"
#include "app/open_dialog.h"
#include "app/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

// AskYesNo, ChooseFile and MessageBeep reach the installed dialogs; removing them restores the real ones.
TEST(UserDialogs, ServicesGoThroughTheInstalledDialogs)
{
    UserDialogs* const previous = &userDialogs(); // the test harness's own stand-in
    ScriptedDialogs script;
    setUserDialogs(&script);
    EXPECT_EQ(&userDialogs(), &script);
    script.queueAnswer(mrYes);
    script.queueAnswer(mrNo);
    EXPECT_EQ(AskYesNo(QStringLiteral("Exit?")), 6);
    EXPECT_EQ(AskYesNo(QStringLiteral("Again?")), 7);
    EXPECT_EQ(AskYesNo(QStringLiteral("Unscripted?")), 2);
    EXPECT_EQ(script.questions(), QStringList({"Exit?", "Again?", "Unscripted?"}));

    TOpenDialog dialog;
    script.queueChoice(QStringLiteral("/media/stick/DATA/data.txt"));
    script.queueCancel();
    EXPECT_TRUE(ChooseFile(dialog));
    EXPECT_EQ(dialog.FileName, QStringLiteral("/media/stick/DATA/data.txt"));
    EXPECT_FALSE(ChooseFile(dialog));
    EXPECT_EQ(dialog.FileName, QStringLiteral("/media/stick/DATA/data.txt"));
    EXPECT_FALSE(ChooseFile(dialog));
    EXPECT_EQ(script.offeredFileNames(), QStringList({"", "/media/stick/DATA/data.txt", "/media/stick/DATA/data.txt"}));

    MessageBeep(0);
    MessageBeep(0);
    EXPECT_EQ(script.beeps(), 2);
    userDialogs().showErrorBox(QStringLiteral("JPEG error #41."), QStringLiteral("Tolvika"));
    ASSERT_EQ(script.errorBoxes().size(), 1u);
    EXPECT_EQ(script.errorBoxes()[0].text, QStringLiteral("JPEG error #41."));
    EXPECT_EQ(script.errorBoxes()[0].caption, QStringLiteral("Tolvika"));

    setUserDialogs(nullptr);
    EXPECT_NE(dynamic_cast<DesktopDialogs*>(&userDialogs()), nullptr);
    setUserDialogs(previous);
}

// An override lasts for its scope and nests.
TEST(UserDialogs, OverrideRestoresThePreviousDialogs)
{
    UserDialogs* const previous = &userDialogs();
    ScriptedDialogs outer, inner;
    {
        UserDialogsOverride first(outer);
        {
            UserDialogsOverride second(inner);
            MessageBeep(0);
        }
        MessageBeep(0);
        MessageBeep(0);
    }
    EXPECT_EQ(inner.beeps(), 1);
    EXPECT_EQ(outer.beeps(), 2);
    EXPECT_EQ(&userDialogs(), previous);
}

// The filter text becomes name filters, one per description and pattern pair.
TEST(TOpenDialog, FilterBecomesNameFilters)
{
    TOpenDialog dialog;
    EXPECT_TRUE(dialog.nameFilters().isEmpty());
    dialog.Filter = QStringLiteral("data.txt|data.txt");
    EXPECT_EQ(dialog.nameFilters(), QStringList({"data.txt (data.txt)"}));
    dialog.Filter = QStringLiteral("Pictures|*.jpg;*.bmp|All files|*");
    EXPECT_EQ(dialog.nameFilters(), QStringList({"Pictures (*.jpg *.bmp)", "All files (*)"}));
}

} // namespace
