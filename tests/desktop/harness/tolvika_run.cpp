#include "tests/desktop/harness/tolvika_run.h"

#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/waiting.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace desktop {

namespace {

// The repeat control's accessible name is its hint.
const QString kRepeatControl = QStringLiteral("Повторить");

std::filesystem::path makeRunFolder()
{
    std::string name = (std::filesystem::temp_directory_path() / "tolvika-run-XXXXXX").string();
    if (!mkdtemp(name.data()))
        throw std::runtime_error("no temporary folder");
    return name;
}

Environment withChanges(Environment environment, const Environment& changes)
{
    for (const auto& [name, value] : changes) {
        if (value.empty())
            environment.erase(name);
        else
            environment[name] = value;
    }
    return environment;
}

} // namespace

void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::copy(from, to,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks);
}

TolvikaRun::TolvikaRun(const LaunchOptions& options) : m_focusMain(options.focusMainWindow)
{
    const std::filesystem::path root = makeRunFolder();
    m_folder = root / options.folderName;
    m_home = root / "home";
    std::filesystem::create_directories(m_folder);
    std::filesystem::create_directories(m_home);
    std::filesystem::copy_file(options.executable, m_folder / "tolvika");
    if (!options.data.empty())
        copyFolder(options.data, dataFolder());
    m_errorLog = root / "stderr.txt";
    ProcessOptions program({(m_folder / "tolvika").string()},
                           withChanges(session().programEnvironment(m_home), options.environment));
    program.workingDirectory = m_home;
    program.standardError = m_errorLog;
    m_startedAt = Clock::now();
    m_process = std::make_unique<ChildProcess>(program);
}

TolvikaRun::~TolvikaRun()
{
    m_process->stop();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder.parent_path(), ignored);
}

TopWindow TolvikaRun::mainWindow()
{
    if (m_main)
        return *m_main;
    XDesktop& screen = session().screen();
    std::optional<TopWindow> found;
    waitUntil([&] {
        for (const TopWindow& window : screen.windowsOf(pid()))
            if (window.title == "Tolvika" && window.geometry.width() > 400)
                found = window;
        return found.has_value() || !running();
    });
    if (!found)
        throw std::runtime_error("the main window did not appear; standard error: " + standardError());
    m_main = found;
    if (m_focusMain)
        screen.focus(m_main->id);
    return *m_main;
}

std::vector<TopWindow> TolvikaRun::otherWindows()
{
    const unsigned long main = mainWindow().id;
    std::vector<TopWindow> result;
    for (TopWindow& window : session().screen().windowsOf(pid()))
        if (window.id != main)
            result.push_back(std::move(window));
    return result;
}

bool TolvikaRun::waitForOtherWindows(std::size_t count)
{
    if (!waitUntil([&] { return otherWindows().size() == count; }))
        return false;
    return settled([&] { return otherWindows().size(); }) == count;
}

std::optional<Accessible> TolvikaRun::controls() { return session().accessibility().application(pid()); }

QString TolvikaRun::memoText()
{
    const auto tree = controls();
    if (!tree)
        return {};
    // The text area is the one text object in the panel under the picture.
    const Accessible* panel = tree->findByName(QStringLiteral("Panel5"));
    const Accessible* memo = panel ? panel->findByRole(QStringLiteral("text")) : nullptr;
    if (!memo)
        return {};
    QString text = memo->text;
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

bool TolvikaRun::repeatControlShowing()
{
    const auto tree = controls();
    const Accessible* control = tree ? tree->findByName(kRepeatControl) : nullptr;
    return control && control->has(State::Showing) && !control->extents.isEmpty();
}

bool TolvikaRun::waitForRepeatControl(bool showing)
{
    return waitUntil([&] { return repeatControlShowing() == showing; });
}

bool TolvikaRun::memoFocused()
{
    const auto tree = controls();
    const Accessible* panel = tree ? tree->findByName(QStringLiteral("Panel5")) : nullptr;
    const Accessible* memo = panel ? panel->findByRole(QStringLiteral("text")) : nullptr;
    return memo && memo->has(State::Focused) && session().screen().focusedWindow() == mainWindow().id;
}

QPoint TolvikaRun::centreOf(const QString& name)
{
    const auto tree = controls();
    const Accessible* control = tree ? tree->findByName(name) : nullptr;
    if (!control || control->extents.isEmpty())
        throw std::runtime_error("no control on screen named " + name.toStdString());
    return control->extents.center();
}

std::string TolvikaRun::standardError() const { return readFile(m_errorLog); }

std::string TolvikaRun::threadStacks() const
{
    return runCommand({"gdb", "-p", std::to_string(pid()), "-batch", "-ex", "thread apply all bt 30"},
                      baseEnvironment(), 60s)
        .output;
}

std::vector<std::string> TolvikaRun::standardErrorLines() const
{
    std::vector<std::string> lines;
    std::stringstream text(standardError());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::optional<int> TolvikaRun::waitForExit(std::chrono::milliseconds patience)
{
    return m_process->waitForExit(patience);
}

void TolvikaRun::kill() { m_process->signal(SIGKILL); }

} // namespace desktop
