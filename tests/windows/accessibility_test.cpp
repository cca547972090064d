#include "tests/windows/program_windows.h"

#include "app/desktop_dialogs.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"

#include <QAccessible>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* name;
    QAccessible::Role role;
    const char* accessibleName; // null: not checked (Qt's own widgets without a label)
};

// What a screen reader is told about each control of the main window.
const Expected kMainWindow[] = {
    {"Panel1", QAccessible::Pane, "Panel1"},
    {"Image1", QAccessible::Graphic, "Image1"},
    {"Panel2", QAccessible::Pane, "Panel2"},
    {"sbHelp", QAccessible::Button, "Информация о программе"},
    {"SpeedButton1", QAccessible::Button, "Помощь"},
    {"btnDir", QAccessible::Button, "Сменить папку с данными"},
    {"SpeedButton3", QAccessible::Button, "A"},
    {"SpeedButton2", QAccessible::Button, "Exit"},
    {"cbSound", QAccessible::CheckBox, "Sound"},
    {"eDataFolder", QAccessible::EditableText, "Папка с данными"},
    {"Memo1", QAccessible::EditableText, nullptr},
    {"Panel3", QAccessible::Pane, "Panel3"},
    {"MediaPlayer1", QAccessible::Button, "Повторить"},
};

QAccessibleInterface* accessibleOf(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(iface, nullptr);
    return iface;
}

// Whether the interface or any of its descendants shows `text` as its name, value or description.
bool treeShows(QAccessibleInterface* iface, const QString& text)
{
    if (!iface)
        return false;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        if (iface->text(t) == text)
            return true;
    for (int i = 0; i < iface->childCount(); ++i)
        if (treeShows(iface->child(i), text))
            return true;
    return false;
}

} // namespace

// Every control gets a role and a name without the program asking: the frame installs the kit's descriptions.
TEST(Accessibility, MainWindowControlsHaveRolesAndNames)
{
    ProgramWindows windows;
    windows.showMain();
    windows.main.MediaPlayer1->setVisible(true); // the welcome page here has no sound, which hid it
    QAccessibleInterface* window = accessibleOf(&windows.main);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), "Tolvika");
    for (const Expected& e : kMainWindow) {
        SCOPED_TRACE(e.name);
        QAccessibleInterface* iface = accessibleOf(controlOf(windows.main, e.name).widget());
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), e.role);
        if (e.accessibleName) {
            EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(e.accessibleName));
        }
        EXPECT_FALSE(iface->state().invisible);
    }
    EXPECT_TRUE(accessibleOf(windows.main.Image2)->state().invisible);
    EXPECT_TRUE(accessibleOf(windows.main.cbSound)->state().checked);
    EXPECT_TRUE(accessibleOf(windows.main.eDataFolder)->state().readOnly);
    EXPECT_EQ(accessibleOf(windows.main.eDataFolder)->text(QAccessible::Value), windows.main.eDataFolder->Text());
}

// The page's text is readable, and the repeat control reads as invisible while hidden.
TEST(Accessibility, PageTextAndHiddenRepeatControl)
{
    ProgramWindows windows;
    windows.showMain();
    windows.main.Memo1->setText(QString::fromUtf8("Арбуз\n"));
    QAccessibleInterface* memo = accessibleOf(windows.main.Memo1);
    ASSERT_NE(memo, nullptr);
    ASSERT_NE(memo->textInterface(), nullptr);
    QAccessibleTextInterface* text = memo->textInterface();
    EXPECT_EQ(text->text(0, text->characterCount()).trimmed(), QString::fromUtf8("Арбуз"));
    EXPECT_TRUE(memo->state().readOnly);

    windows.main.MediaPlayer1->setVisible(false);
    EXPECT_TRUE(accessibleOf(windows.main.MediaPlayer1)->state().invisible);
    windows.main.MediaPlayer1->setVisible(true);
    EXPECT_FALSE(accessibleOf(windows.main.MediaPlayer1)->state().invisible);
}

// The Help and About windows' texts and buttons read as what they show.
TEST(Accessibility, HelpAndAboutWindows)
{
    ProgramWindows windows;
    windows.showMain();
    windows.about.Show();
    windows.help.Show();
    QAccessibleInterface* about = accessibleOf(&windows.about);
    EXPECT_EQ(about->text(QAccessible::Name), QString::fromUtf8("О программе"));
    EXPECT_TRUE(treeShows(about, "TOLVIKA"));
    EXPECT_TRUE(treeShows(about, QString::fromUtf8("Версия 1.2 от 10 сент. 2002 г. (for Windows XP)")));
    EXPECT_TRUE(treeShows(about, "OK"));
    QAccessibleInterface* help = accessibleOf(&windows.help);
    EXPECT_EQ(help->text(QAccessible::Name), QString::fromUtf8("Помощь"));
    QAccessibleInterface* memo = accessibleOf(windows.help.Memo1);
    ASSERT_NE(memo->textInterface(), nullptr);
    EXPECT_TRUE(memo->textInterface()
                    ->text(0, memo->textInterface()->characterCount())
                    .startsWith(QString::fromUtf8("Здесь вы должны видеть")));
}

// The real error box's text is readable while it is up.
TEST(Accessibility, ErrorBoxTextIsReadable)
{
    DesktopDialogs desktop;
    UserDialogsOverride real(desktop);
    const QString message = QStringLiteral("Cannot open file /nowhere/help.txt.");
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        poll.stop();
        shown = treeShows(QAccessible::queryAccessibleInterface(box), message);
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(10);
    userDialogs().showErrorBox(message, QStringLiteral("Tolvika"));
    EXPECT_TRUE(shown);
}
