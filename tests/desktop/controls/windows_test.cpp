// The program's other windows on the real display: the Exit confirmation
// (Escape keeps the program running, Enter ends it with exit code 0), and the
// Help and About windows, which open from their buttons, show their texts and
// close with Enter, giving the keyboard back to the main window.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <QImageReader>
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

// Whether the icon image shows the expected one: the same transparency
// everywhere and the same colour wherever it is opaque.
bool sameIcon(const QImage& shown, const QImage& expected)
{
    if (shown.size() != expected.size())
        return false;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
            if (qAlpha(a) != qAlpha(b) || (qAlpha(a) == 255 && a != b))
                return false;
        }
    return true;
}

// The icon a task bar shows for each window: the program's, at both of its
// sizes, the 32 x 32 one as the icon file holds it.
TEST(Windows, EveryWindowCarriesTheProgramsIconAtBothSizes)
{
    auto folder = alphabetFolder();
    auto run = started(*folder);
    XDesktop& screen = session().screen();
    QImageReader reader(QStringLiteral(TOLVIKA_SOURCE_DIR "/windows/resources/icon/MAINICON.ico"), "ICO");
    const QImage expected = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(expected.size(), QSize(32, 32));
    auto expectProgramIcon = [&](unsigned long window, const std::string& title) {
        int large = 0, small = 0;
        for (const QImage& image : screen.icon(window)) {
            large += image.size() == QSize(32, 32);
            small += image.size() == QSize(16, 16);
            if (image.size() == QSize(32, 32)) {
                EXPECT_TRUE(sameIcon(image, expected)) << title;
            }
        }
        EXPECT_EQ(large, 1) << title;
        EXPECT_EQ(small, 1) << title;
    };
    expectProgramIcon(run->mainWindow().id, "main window");
    for (const QString& button : {QStringLiteral("Помощь"), QStringLiteral("Информация о программе")}) {
        screen.click(run->centreOf(button));
        ASSERT_TRUE(run->waitForOtherWindows(1)) << button.toStdString();
        expectProgramIcon(run->otherWindows().front().id, run->otherWindows().front().title);
        screen.key("Return");
        ASSERT_TRUE(run->waitForOtherWindows(0)) << button.toStdString();
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
