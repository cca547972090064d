#include "app/application.h"
#include "app/error_box.h"
#include "app/fatal_report.h"
#include "app/program_name.h"
#include "app/program_start.h"
#include "app/scripted_dialogs.h"
#include "platform/exception/exception.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/form.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

// The error box appends "." exactly when the last byte compares greater than ".".
TEST(ErrorBoxText, FinalPeriodRule)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"Out of paper", "Out of paper."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"Why?", "Why?."},
        {"JPEG error #41", "JPEG error #41."},
        {"", ""},
        {"a,", "a,"},
        {"x)", "x)"},
        {"trailing ", "trailing "},
        {"line\n", "line\n"},
        {"ends -", "ends -"},
        {"Вы уверены", "Вы уверены."},
        {"list;", "list;."},
        {"key:", "key:."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withFinalPeriod(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// The title is the file name up to its first dot, a capital followed by lower case.
TEST(ApplicationTitle, DerivedFromExecutableName)
{
    EXPECT_EQ(titleFromFileName("/usr/lib/tolvika/tolvika"), "Tolvika");
    EXPECT_EQ(titleFromFileName("/opt/my.trainer"), "My");
    EXPECT_EQ(titleFromFileName("KIDS.EXE"), "Kids");
    EXPECT_EQ(titleFromFileName("/x/MyTrainer.beta.exe"), "Mytrainer");
    EXPECT_EQ(titleFromFileName("a"), "A");
}

namespace {

QByteArray memoFormLayout()
{
    return "object fmTest: TForm\n"
           "  Width = 300\n  Height = 200\n"
           "  object Memo1: TMemo\n    Left = 0\n    Top = 0\n    Width = 200\n    Height = 100\n  end\n"
           "end\n";
}

} // namespace

namespace {

QByteArray memoAndButtonLayout()
{
    return "object fmTest: TForm\n"
           "  Width = 300\n  Height = 200\n"
           "  object Memo1: TMemo\n    Left = 0\n    Top = 0\n    Width = 200\n    Height = 100\n  end\n"
           "  object Button: TSpeedButton\n    Left = 210\n    Top = 10\n    Width = 40\n    Height = 40\n  end\n"
           "end\n";
}

} // namespace

// An error while a button is held down releases the button: it comes up, and
// letting go of the mouse afterwards does not click it; the next click does.
TEST(CatchPoint, ErrorReleasesAHeldButtonWithoutClickingIt)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    TForm form(TForm::LayoutText{memoAndButtonLayout()});
    auto& memo = form.component<TMemo>("Memo1");
    auto& button = form.component<TSpeedButton>("Button");
    memo.OnKeyPress = [](TControl*, std::uint8_t&) { throw Exception("Out of paper"); };
    int clicks = 0;
    button.OnClick = [&](TControl*) { ++clicks; };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    memo.setFocus();
    const QPoint centre = button.rect().center();

    QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_TRUE(button.isDown());
    QTest::keyClick(&memo, Qt::Key_X);
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_FALSE(button.isDown());
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(clicks, 0);

    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(clicks, 1);
}

// An error thrown by a key handler ends that key only: one box, and the next key is handled.
TEST(CatchPoint, KeyHandlerErrorShowsBoxAndProgramGoesOn)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    TForm form(TForm::LayoutText{memoFormLayout()});
    auto& memo = form.component<TMemo>("Memo1");
    int handled = 0;
    memo.OnKeyPress = [&](TControl*, std::uint8_t& key) {
        ++handled;
        if (key == 'x')
            throw Exception("Out of paper");
    };
    form.show();
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_X);
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].text, "Out of paper.");
    EXPECT_EQ(dialogs.errorBoxes()[0].caption, TApplication::instance()->ApplicationTitle());
    QTest::keyClick(&memo, Qt::Key_A);
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(dialogs.errorBoxes().size(), 1u);
}

// The silent error shows nothing; an empty message shows an empty box.
TEST(CatchPoint, AbortIsSilentAndEmptyMessageShowsEmptyBox)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    TApplication::instance()->HandleEventError(std::make_exception_ptr(EAbort("quiet")));
    EXPECT_TRUE(dialogs.errorBoxes().empty());
    TApplication::instance()->HandleEventError(std::make_exception_ptr(Exception("")));
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].text, "");
}

// An error object that is not one of the program's gets the fatal report's box, and the program goes on.
TEST(CatchPoint, ForeignErrorGetsTheFatalReport)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    TApplication::instance()->HandleEventError(std::make_exception_ptr(std::runtime_error("disk on fire")));
    TApplication::instance()->HandleEventError(std::make_exception_ptr(42));
    ASSERT_EQ(dialogs.errorBoxes().size(), 2u);
    for (const auto& box : dialogs.errorBoxes())
        EXPECT_EQ(box.caption, "Application Error");
    const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QRegularExpression report("^Exception (\\S+) in module " + QRegularExpression::escape(module)
                                    + " at [0-9A-F]{8}\\.\n(.*)$");
    const QRegularExpressionMatch first = report.match(dialogs.errorBoxes()[0].text);
    ASSERT_TRUE(first.hasMatch()) << dialogs.errorBoxes()[0].text.toStdString();
    EXPECT_EQ(first.captured(1), "std::runtime_error");
    EXPECT_EQ(first.captured(2), "disk on fire.");
    const QRegularExpressionMatch second = report.match(dialogs.errorBoxes()[1].text);
    ASSERT_TRUE(second.hasMatch()) << dialogs.errorBoxes()[1].text.toStdString();
    EXPECT_EQ(second.captured(2), "");
}

namespace {

class ThrowingPaint : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        ui::guarded([this] {
            if (paints++ == 0)
                throw Exception("JPEG error #41");
        });
    }
};

} // namespace

// An error raised while painting is shown once, after the paint has ended.
TEST(CatchPoint, PaintErrorIsShownAfterThePaint)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    ThrowingPaint widget;
    widget.resize(50, 50);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.repaint();
    EXPECT_TRUE(dialogs.errorBoxes().empty()); // not while painting
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].text, "JPEG error #41.");
    widget.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.errorBoxes().size(), 1u);
}

// An error from OnShow is reported and the window is shown anyway.
TEST(CatchPoint, ShowHandlerErrorStillShowsWindow)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    TForm form(TForm::LayoutText{memoFormLayout()});
    form.OnShow = [](TControl*) { throw Exception("Cannot open file /x/help.txt"); };
    form.Show();
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].text, "Cannot open file /x/help.txt.");
}

// A layout that cannot be read ends start-up with the failure report and exit code 1.
TEST(StartupFailure, UnreadableLayoutGivesReportAndExitCodeOne)
{
    ScriptedDialogs dialogs;
    UserDialogsOverride scope(dialogs);
    const int code = RunProgram(*TApplication::instance(), [](TApplication& app) {
        app.CreateForm<TForm>(TForm::LayoutText{"object fmMain: TfmMain\n  Bogus = 1\nend\n"});
    });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes()[0].caption, "Application Error");
    EXPECT_TRUE(dialogs.errorBoxes()[0].text.startsWith("Exception EReadError in module "))
        << dialogs.errorBoxes()[0].text.toStdString();
    EXPECT_TRUE(dialogs.errorBoxes()[0].text.endsWith("Property Bogus does not exist."))
        << dialogs.errorBoxes()[0].text.toStdString();
}

// The report's own format: class, module, eight hex digits, message with a final period.
TEST(StartupFailure, ReportFormat)
{
    EXPECT_EQ(startupFailureText("EReadError", "tolvika", 0x401234, "Class TFoo not found"),
              "Exception EReadError in module tolvika at 00401234.\nClass TFoo not found.");
    EXPECT_EQ(startupFailureText("Exception", "tolvika", 0xABCDEF12, "Done."),
              "Exception Exception in module tolvika at ABCDEF12.\nDone.");
}
