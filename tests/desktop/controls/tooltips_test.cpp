// Tooltips on the real display, with a real pointer: resting it on the Help
// button brings that button's tooltip, a window of its own just below the
// pointer; a letter key puts it away by the time the letter's page shows, not
// when its own time is up; resting on the data folder field brings none.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace desktop {
namespace {

// Longer than the pointer must rest for a tooltip, with room for a loaded machine.
constexpr auto kRestWatch = 1500ms;
// How far the tooltip's left edge may lie from the pointer.
constexpr int kTipOffset = 16;

TEST(Tooltips, RestingBringsItAndAKeyPutsItAway)
{
    const auto folder = alphabetFolder();
    TolvikaRun run(LaunchOptions{.data = folder->path().toStdString()});
    run.mainWindow();
    ASSERT_TRUE(run.waitForRepeatControl(true));
    XDesktop& screen = session().screen();

    const QPoint help = run.centreOf(QStringLiteral("Помощь"));
    screen.moveTo(help);
    ASSERT_TRUE(run.waitForOtherWindows(1)) << "no tooltip over the Help button";
    const TopWindow tip = run.otherWindows().at(0);
    EXPECT_GT(tip.geometry.top(), help.y());
    EXPECT_LE(std::abs(tip.geometry.left() - help.x()), kTipOffset);

    const QString letter = QStringLiteral("Б");
    screen.key(keysymOf(letter));
    ASSERT_TRUE(waitUntil([&] { return run.memoText() == pageText(pageIndexOf(letter)); }));
    EXPECT_TRUE(run.otherWindows().empty()) << "the tooltip outlived the key";

    screen.moveTo(run.centreOf(QStringLiteral("Папка с данными")));
    EXPECT_EQ(settled([&] { return run.otherWindows().size(); }, kRestWatch), 0u) << "a tooltip over the folder field";
}

} // namespace
} // namespace desktop
