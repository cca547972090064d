// The program's other windows on the real display: the Exit confirmation
// (Escape keeps the program running, Enter ends it with exit code 0), and the
// Help and About windows, which open from their buttons, show their texts and
// close with Enter, giving the keyboard back to the main window.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

std::unique_ptr<TolvikaRun> started(const testcontent::ContentFolder& folder)
{
    auto run = std::make_unique<TolvikaRun>(LaunchOptions{.data = folder.path().toStdString()});
    run->mainWindow();
    EXPECT_TRUE(run->waitForRepeatControl(true));
    return run;
}

// Whether any object of the program reads the text.
bool shows(TolvikaRun& run, const QString& text)
{
    const auto tree = run.controls();
    return tree && tree->find([&](const Accessible& a) { return a.name.contains(text) || a.text.contains(text); });
}

TEST(Windows, ExitAsksFirstEscapeKeepsRunningEnterEnds)
{
    auto folder = alphabetFolder();
    auto run = started(*folder);
    XDesktop& screen = session().screen();
    screen.click(run->centreOf(QStringLiteral("Exit")));
    ASSERT_TRUE(run->waitForOtherWindows(1));
    EXPECT_EQ(run->otherWindows().front().title, "Confirm");
    EXPECT_TRUE(shows(*run, QStringLiteral("Вы уверены???")));
    screen.key("Escape");
    ASSERT_TRUE(run->waitForOtherWindows(0));
    EXPECT_TRUE(run->running());
    EXPECT_TRUE(waitUntil([&] { return run->memoFocused(); }));

    screen.click(run->centreOf(QStringLiteral("Exit")));
    ASSERT_TRUE(run->waitForOtherWindows(1));
    screen.key("Return");
    EXPECT_EQ(run->waitForExit(kPatience), 0);
}

TEST(Windows, HelpAndAboutOpenShowTheirTextsAndCloseWithEnter)
{
    auto folder = alphabetFolder();
    auto run = started(*folder);
    XDesktop& screen = session().screen();
    const struct {
        QString button;
        std::string title;
        QString text;
    } windows[] = {
        {QStringLiteral("Помощь"), "Помощь", QStringLiteral("Нажми на букву.")},
        {QStringLiteral("Информация о программе"), "О программе", QStringLiteral("Версия 1.2")},
    };
    int letter = 10;
    for (const auto& window : windows) {
        screen.click(run->centreOf(window.button));
        ASSERT_TRUE(run->waitForOtherWindows(1)) << window.title;
        const TopWindow shown = run->otherWindows().front();
        EXPECT_EQ(shown.title, window.title);
        // Centred over the main window at its first showing.
        EXPECT_LE((shown.geometry.center() - run->mainWindow().geometry.center()).manhattanLength(), 40)
            << window.title;
        EXPECT_TRUE(waitUntil([&] { return shows(*run, window.text); })) << window.title;
        screen.key("Return");
        ASSERT_TRUE(run->waitForOtherWindows(0)) << window.title << " did not close with Enter";
        EXPECT_TRUE(waitUntil([&] { return run->memoFocused(); })) << "after " << window.title;
        const QString next = kLetters.mid(letter++, 1);
        screen.key(keysymOf(next));
        EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(next)); })) << window.title;
        EXPECT_TRUE(run->waitForRepeatControl(true));
    }
}

// As desktops set the density: the main window keeps its size at 96 and at
// 120 dots per inch, in screen pixels, the repeat control is 80 x 80 at both,
// and pages work.
TEST(Windows, MainWindowAtTheDesktopsDensities)
{
    auto folder = alphabetFolder();
    for (const int dpi : {120, 96}) {
        session().server().setDensity(dpi);
        auto run = started(*folder);
        // The stored outer size is kept at every density; only the controls are scaled.
        const QRect client = run->mainWindow().geometry;
        EXPECT_EQ(client.size(), QSize(616, 597)) << dpi;
        const auto tree = run->controls();
        ASSERT_TRUE(tree);
        EXPECT_EQ(tree->findByName(QStringLiteral("Повторить"))->extents.size(), QSize(80, 80)) << dpi;
        const QRect memo = tree->findByName(QStringLiteral("Panel5"))->findByRole(QStringLiteral("text"))->extents;
        EXPECT_TRUE(client.contains(memo)) << dpi;
        session().screen().key(keysymOf(QStringLiteral("Ф")));
        EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(QStringLiteral("Ф"))); })) << dpi;
    }
}

} // namespace
} // namespace desktop
