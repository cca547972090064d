#include "tests/windows/program_windows.h"

#include "app/desktop_dialogs.h"
#include "app/message_form.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

// Which events of a control have a handler, by event name.
std::set<std::string> boundEvents(TControl& control)
{
    std::set<std::string> bound;
    if (control.OnEnter)
        bound.insert("OnEnter");
    if (auto* form = dynamic_cast<TForm*>(&control)) {
        if (form->OnShow)
            bound.insert("OnShow");
        if (form->OnHide)
            bound.insert("OnHide");
        if (form->OnKeyPress)
            bound.insert("OnKeyPress");
    }
    if (auto* memo = dynamic_cast<TMemo*>(&control); memo && memo->OnKeyPress)
        bound.insert("OnKeyPress");
    if (auto* button = dynamic_cast<TSpeedButton*>(&control); button && button->OnClick)
        bound.insert("OnClick");
    if (auto* box = dynamic_cast<TCheckBox*>(&control); box && box->OnClick)
        bound.insert("OnClick");
    if (auto* player = dynamic_cast<TMediaPlayer*>(&control)) {
        if (player->OnClick)
            bound.insert("OnClick");
        if (player->OnPostClick)
            bound.insert("OnPostClick");
        if (player->OnNotify)
            bound.insert("OnNotify");
    }
    return bound;
}

// Types a Cyrillic letter into whatever holds the focus.
void typeLetter()
{
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(0x0424), QString::fromUtf8("ф"),
                        Qt::NoModifier);
}

// Runs the event loop: `act` once it has started; `settle` ms after `act` has
// returned the loop is ended with 42 unless something else ended it first.
// Returns the loop's exit code. The timers end with the call.
int runLoop(const std::function<void()>& act, int settle = 200)
{
    QTimer start, stop;
    start.setSingleShot(true);
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(42); });
    QObject::connect(&start, &QTimer::timeout, [&] {
        act();
        stop.start(settle);
    });
    start.start(0);
    return QCoreApplication::exec();
}

// Polls, while it lives, until a modal box is up, then hands it to `answer` once.
class ModalBoxAnswer {
public:
    explicit ModalBoxAnswer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer))
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                m_poll.stop();
                m_answer(box);
            }
        });
        m_poll.start(10);
    }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_poll;
};

const QString kExitQuestion = QString::fromUtf8("Вы уверены???");

} // namespace

// Exactly the events of the design are bound; every other event of these controls is empty.
TEST(MainWindowEvents, BindingTable)
{
    TfmMain main;
    const std::map<std::string, std::set<std::string>> expected = {
        {"fmMain", {"OnShow", "OnKeyPress"}},
        {"Panel1", {"OnEnter"}},
        {"Image1", {}},
        {"Image2", {}},
        {"Panel2", {}},
        {"sbHelp", {"OnClick"}},
        {"SpeedButton1", {"OnClick"}},
        {"cbSound", {"OnClick"}},
        {"eDataFolder", {"OnEnter"}},
        {"btnDir", {"OnClick"}},
        {"SpeedButton3", {"OnClick"}},
        {"Panel4", {"OnEnter"}},
        {"SpeedButton2", {"OnClick"}},
        {"Panel5", {"OnEnter"}},
        {"Memo1", {"OnKeyPress"}},
        {"Panel3", {"OnEnter"}},
        {"MediaPlayer1", {"OnEnter", "OnClick", "OnPostClick", "OnNotify"}},
    };
    EXPECT_EQ(boundEvents(main), expected.at("fmMain"));
    size_t controls = 0;
    for (TComponent* component : main.components())
        if (auto* control = dynamic_cast<TControl*>(component)) {
            ++controls;
            const std::string name = control->Name.toStdString();
            ASSERT_TRUE(expected.count(name)) << name;
            EXPECT_EQ(boundEvents(*control), expected.at(name)) << name;
        }
    EXPECT_EQ(controls, expected.size() - 1);
}

// Each button reaches its own handler.
TEST(MainWindowEvents, ButtonsReachTheirHandlers)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;

    QTest::mouseClick(main.sbHelp, Qt::LeftButton);
    EXPECT_TRUE(windows.about.isVisible());
    EXPECT_FALSE(windows.help.isVisible());
    QTest::mouseClick(main.SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(windows.help.isVisible());
    windows.dialogs.reset();

    QTest::mouseClick(main.btnDir, Qt::LeftButton);
    EXPECT_EQ(windows.dialogs.offeredFileNames().size(), 1);
    EXPECT_TRUE(windows.dialogs.questions().isEmpty());

    main.Memo1->setText("marker");
    QTest::mouseClick(main.SpeedButton3, Qt::LeftButton); // the welcome page again
    EXPECT_NE(main.Memo1->Text(), "marker");

    QTest::mouseClick(main.SpeedButton2, Qt::LeftButton); // answered 2: nothing happens
    EXPECT_EQ(windows.dialogs.questions(), QStringList{kExitQuestion});
    EXPECT_TRUE(main.isVisible());
}

// Whenever the focus enters the folder field or the repeat control it goes back to Memo1.
TEST(MainWindowEvents, FocusReturnsToTheTextArea)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;
    ASSERT_EQ(QApplication::focusWidget(), main.Memo1);

    QTest::mouseClick(main.eDataFolder, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
    main.Memo1->setText("marker");
    typeLetter(); // reaches FormKeyPress: the letter's page replaces the text
    EXPECT_NE(main.Memo1->Text(), "marker");

    main.MediaPlayer1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);

    // Each OnEnter binding alone brings the focus back, also from cbSound.
    for (TControl* control : std::initializer_list<TControl*>{main.Panel1, main.Panel3, main.Panel4, main.Panel5,
                                                              main.eDataFolder, main.MediaPlayer1}) {
        main.cbSound->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), main.cbSound);
        control->OnEnter(control);
        EXPECT_EQ(QApplication::focusWidget(), main.Memo1) << control->Name.toStdString();
    }
    // Already active: nothing happens.
    main.MediaPlayer1Enter(main.MediaPlayer1);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
}

// Tab with the repeat control visible comes straight back; with it hidden it reaches
// cbSound, where letters do nothing; Shift+Tab always comes straight back.
TEST(MainWindowEvents, TabAndShiftTab)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;
    main.MediaPlayer1->setVisible(true);
    main.Memo1->setFocus();

    QTest::keyClick(main.Memo1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
    QTest::keyClick(main.Memo1, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);

    main.MediaPlayer1->setVisible(false);
    QTest::keyClick(main.Memo1, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
    QTest::keyClick(main.Memo1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), main.cbSound);

    main.Memo1->setText("marker");
    typeLetter();
    EXPECT_EQ(main.Memo1->Text(), "marker"); // the check box has the key, not FormKeyPress
    QTest::keyClick(main.cbSound, Qt::Key_Space);
    EXPECT_FALSE(main.cbSound->Checked());
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1); // its click handler took the focus back

    QTest::keyClick(main.Memo1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), main.cbSound);
    QTest::keyClick(main.cbSound, Qt::Key_Tab); // on to eDataFolder, and so back
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);

    // Shown again first: switching sound on with it hidden would replay this
    // sound-less page, and that error is not what this test is about.
    main.MediaPlayer1->setVisible(true);
    QTest::mouseClick(main.cbSound, Qt::LeftButton);
    EXPECT_TRUE(main.cbSound->Checked());
    EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
}

// A click anywhere on the Sound box, also beside its caption or near its edges,
// toggles it and leaves the focus on Memo1, so letters keep working.
TEST(MainWindowEvents, ClickAnywhereOnTheSoundBox)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;
    const QRect box = main.cbSound->rect();
    const QPoint points[] = {box.center(), QPoint(box.right() - 1, box.center().y()), QPoint(1, 1),
                             QPoint(box.right() - 1, box.bottom() - 1), QPoint(box.center().x(), box.bottom())};
    for (const QPoint& at : points) {
        SCOPED_TRACE(::testing::Message() << at.x() << "," << at.y());
        // Shown, so that switching sound on does not replay this sound-less page.
        main.MediaPlayer1->setVisible(true);
        const bool before = main.cbSound->Checked();
        QTest::mouseClick(main.cbSound, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_NE(main.cbSound->Checked(), before);
        EXPECT_EQ(QApplication::focusWidget(), main.Memo1);
    }
}

// Yes in the Exit confirmation closes the main window, which ends the event loop with 0.
TEST(MainWindowEvents, ExitConfirmedEndsTheProgram)
{
    ProgramWindows windows;
    windows.showMain();
    windows.about.Show();
    windows.dialogs.queueAnswer(mrYes);
    const int code = runLoop([&] { QTest::mouseClick(windows.main.SpeedButton2, Qt::LeftButton); });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(windows.dialogs.questions(), QStringList{kExitQuestion});
    EXPECT_FALSE(windows.main.isVisible());
}

// No (7) or a box closed otherwise (2) changes nothing; the loop runs on.
TEST(MainWindowEvents, ExitNotConfirmedChangesNothing)
{
    for (int answer : {mrNo, mrCancel}) {
        ProgramWindows windows;
        windows.showMain();
        windows.main.Memo1->setText("page");
        windows.dialogs.queueAnswer(answer);
        const int code = runLoop([&] { QTest::mouseClick(windows.main.SpeedButton2, Qt::LeftButton); });
        EXPECT_EQ(code, 42) << answer;
        EXPECT_EQ(windows.dialogs.questions(), QStringList{kExitQuestion});
        EXPECT_TRUE(windows.main.isVisible());
        EXPECT_EQ(windows.main.Memo1->Text(), "page");
        EXPECT_EQ(QApplication::focusWidget(), windows.main.Memo1);
    }
}

// The real confirmation box: Enter answers Yes and ends the program; Esc and its close box do not.
TEST(MainWindowEvents, ExitWithTheRealConfirmationBox)
{
    DesktopDialogs desktop;
    struct Case {
        const char* what;
        std::function<void(QWidget*)> answer;
        int code;
    };
    const Case cases[] = {
        {"Esc", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }, 42},
        {"close box", [](QWidget* box) { box->windowHandle()->close(); }, 42},
        {"Enter", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramWindows windows;
        UserDialogsOverride real(desktop);
        windows.showMain();
        QString question;
        ModalBoxAnswer answer([&](QWidget* box) {
            if (auto* form = qobject_cast<TMessageForm*>(box))
                question = form->messageLabel()->text();
            c.answer(box);
        });
        const int code = runLoop([&] { QTest::mouseClick(windows.main.SpeedButton2, Qt::LeftButton); });
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(question, kExitQuestion);
        EXPECT_EQ(windows.main.isVisible(), c.code != 0);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// The main window's own close box ends the program at once, without asking.
TEST(MainWindowEvents, CloseBoxEndsTheProgramWithoutAsking)
{
    ProgramWindows windows;
    windows.showMain();
    windows.help.Show();
    const int code = runLoop([&] { windows.main.windowHandle()->close(); });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(windows.dialogs.questions().isEmpty());
    EXPECT_FALSE(windows.main.isVisible());
}
