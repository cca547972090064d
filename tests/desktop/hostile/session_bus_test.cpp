// A bare X session (a kiosk, ssh -X, a window manager started by hand) has no
// session bus. The program then starts no process of its own, writes nothing
// in the home or runtime folders or in /tmp, and leaves nothing running when
// it ends; its pages work as ever. (With a session bus, every other test of
// the suite reads the program through the accessibility bus.)
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace desktop {
namespace {

namespace fs = std::filesystem;

std::set<std::string> entriesBelow(const fs::path& folder)
{
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.insert(entry.path().string());
    return entries;
}

std::set<std::string> temporaryEntries()
{
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator("/tmp"))
        entries.insert(entry.path().filename().string());
    return entries;
}

// The processes that a session bus's automatic start leaves: its launcher and its daemon.
std::set<int> autolaunchedBusProcesses()
{
    std::set<int> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream file(entry.path() / "cmdline");
        std::string commandLine((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (commandLine.find("dbus-launch") != std::string::npos
            || commandLine.find("--syslog-only") != std::string::npos)
            found.insert(std::stoi(name));
    }
    return found;
}

TEST(NoSessionBus, StartsNothingWritesNothingAndWorks)
{
    auto folder = alphabetFolder();
    char pattern[] = "/tmp/desktop-bare-runtime-XXXXXX";
    ASSERT_TRUE(mkdtemp(pattern));
    const fs::path runtime = pattern;
    const auto tmpBefore = temporaryEntries();
    const auto busesBefore = autolaunchedBusProcesses();
    {
        TolvikaRun run(
            LaunchOptions{.data = folder->path().toStdString(),
                          .environment = {{"DBUS_SESSION_BUS_ADDRESS", ""}, {"XDG_RUNTIME_DIR", runtime.string()}}});
        run.mainWindow();
        XDesktop& screen = session().screen();
        screen.key(keysymOf(QStringLiteral("Д")));
        // No accessibility bus to read the text area through: the letter's picture on screen tells.
        const QPoint picture = run.mainWindow().geometry.topLeft() + QPoint(run.mainWindow().geometry.width() / 2, 230);
        EXPECT_TRUE(waitUntil([&] {
            return screen.grab(QRect(picture, QSize(1, 1))).pixelColor(0, 0).hue() / 2
                == pageColour(pageIndexOf(QStringLiteral("Д"))).hue() / 2;
        }));
        EXPECT_TRUE(entriesBelow(run.home()).empty()) << "written in the home folder";
        run.kill();
        run.waitForExit(kPatience);
    }
    std::set<int> started;
    for (const int pid : autolaunchedBusProcesses())
        if (!busesBefore.count(pid))
            started.insert(pid);
    EXPECT_TRUE(started.empty()) << started.size() << " bus processes were started and outlived the program";
    // The one thing left: the sound client library makes its own empty folder
    // while it looks for a sound server that this session does not have either.
    std::set<std::string> runtimeEntries = entriesBelow(runtime);
    runtimeEntries.erase((runtime / "pulse").string());
    EXPECT_TRUE(runtimeEntries.empty()) << "written in the runtime folder: " << *runtimeEntries.begin();
    std::string createdInTmp;
    for (const std::string& name : temporaryEntries())
        if (!tmpBefore.count(name) && (name.rfind("dbus-", 0) == 0 || name.rfind("runtime-", 0) == 0))
            createdInTmp += name + " ";
    EXPECT_EQ(createdInTmp, "");
    for (const int pid : started)
        ::kill(pid, SIGKILL);
    fs::remove_all(runtime);
}

} // namespace
} // namespace desktop
