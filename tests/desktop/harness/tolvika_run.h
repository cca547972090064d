// One run of the built Tolvika on the suite's desktop, as a family would run
// it: the executable copied into a folder of its own beside a DATA folder
// made for the test, started with a desktop session's environment and no
// other setting, its windows found on the display and its controls on the
// accessibility bus. Nothing reaches inside the process.
#pragma once

#include "tests/desktop/harness/accessibility_tree.h"
#include "tests/desktop/harness/child_process.h"
#include "tests/desktop/harness/waiting.h"
#include "tests/desktop/harness/x_desktop.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace desktop {

struct LaunchOptions {
    // Copied as DATA beside the executable; empty: there is no DATA folder.
    std::filesystem::path data{};
    // The name of the program's folder, as bytes (it need not be UTF-8).
    std::string folderName = "tolvika";
    // Changes to the desktop session's environment: a value replaces, an empty one removes.
    Environment environment{};
    // Give the main window the keyboard once it is on screen, as a window manager would.
    bool focusMainWindow = true;
    // The program copied into the folder: the built tolvika, or another build a benchmark compares with it.
    std::filesystem::path executable{TOLVIKA_EXECUTABLE};
};

class TolvikaRun {
public:
    explicit TolvikaRun(const LaunchOptions& options = {});
    ~TolvikaRun();
    TolvikaRun(const TolvikaRun&) = delete;
    TolvikaRun& operator=(const TolvikaRun&) = delete;

    pid_t pid() const { return m_process->pid(); }
    // Just before the process was spawned (after the folder was made).
    Clock::time_point startedAt() const { return m_startedAt; }
    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path dataFolder() const { return m_folder / "DATA"; }
    const std::filesystem::path& home() const { return m_home; }

    // Waits for the main window; fails the test when it does not come.
    TopWindow mainWindow();
    // The program's other windows on screen (boxes, Help, About).
    std::vector<TopWindow> otherWindows();
    // Waits until exactly `count` other windows are on screen and stay so.
    bool waitForOtherWindows(std::size_t count);

    std::optional<Accessible> controls();
    // The lines of the text area, joined by "\n".
    QString memoText();
    bool repeatControlShowing();
    bool waitForRepeatControl(bool showing);
    // Whether the text area holds the keyboard focus, as a screen reader hears it.
    bool memoFocused();
    // The centre of a control found by its accessible name, on the screen.
    QPoint centreOf(const QString& name);

    std::string standardError() const;
    // Where each of the program's threads is now, for a test that found it stuck.
    std::string threadStacks() const;
    std::vector<std::string> standardErrorLines() const;
    std::optional<int> waitForExit(std::chrono::milliseconds patience);
    bool running() { return m_process->running(); }
    // Ends the program as a crash would, leaving no chance to tidy up.
    void kill();

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_home;
    std::filesystem::path m_errorLog;
    Clock::time_point m_startedAt;
    std::unique_ptr<ChildProcess> m_process;
    std::optional<TopWindow> m_main;
    bool m_focusMain;
};

// A tidy copy of a folder tree, for DATA folders made by the tests.
void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace desktop
