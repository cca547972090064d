// The tolvika-check executable as a user runs it: its exit status for a good
// folder, a damaged one and wrong arguments, its usage text on stderr, and
// that it needs no display and no sound device (it runs with neither).
#include "tests/support/test_files.h"
#include "tests/support/tool_run.h"
#include "tests/tools/check/folder_copies.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace checkfixtures;
using namespace testfiles;

// Long enough for a sanitizer build to check the whole folder.
constexpr int kRunTimeoutMs = 60'000;

using Result = testtools::ToolRun;

// No screen and no sound: the checker must not need either.
Result runChecker(const QStringList& arguments)
{
    return testtools::runWithoutDesktop(QStringLiteral(TOLVIKA_CHECK_EXECUTABLE), arguments, kRunTimeoutMs);
}

TEST(CheckerExecutable, WrongArgumentsExitWithTwoAndShowTheUsage)
{
    const QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/data.txt");
    writeFile(file, "marker");
    const QList<QStringList> wrong{{}, {dir.path(), dir.path()}, {file}, {dir.path() + QStringLiteral("/none")}};
    for (const QStringList& arguments : wrong) {
        const Result result = runChecker(arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage: tolvika-check DATA-FOLDER")))
            << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    const Result help = runChecker({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: tolvika-check DATA-FOLDER")));
}

TEST(CheckerExecutable, ExitStatusSaysWhetherEverythingLoads)
{
    if (bundledFolder().isEmpty())
        GTEST_SKIP() << "built without the bundled data folder";
    const Result good = runChecker({bundledFolder()});
    EXPECT_EQ(good.status, 0) << good.out.toStdString();
    EXPECT_TRUE(good.out.contains(QStringLiteral("\nЁ "))) << "letter names print as UTF-8";
    EXPECT_TRUE(good.out.contains(QStringLiteral("Summary: 104 files, 104 ok,")));
    // Nothing else to say: no display, font or sound messages.
    EXPECT_TRUE(good.err.isEmpty()) << good.err.toStdString();

    const FolderCopy copy;
    removeFolder(copy.file("Ю"));
    const Result damaged = runChecker({copy.path()});
    EXPECT_EQ(damaged.status, 1) << damaged.out.toStdString();
    EXPECT_TRUE(damaged.out.contains(QStringLiteral("no folder Ю")));
}

} // namespace
