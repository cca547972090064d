#include "tests/desktop/harness/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace desktop {

namespace {

constexpr auto kExitPollStep = std::chrono::milliseconds(10);
// What a well-behaved program gets between SIGTERM and SIGKILL.
constexpr auto kTermPatience = std::chrono::seconds(3);

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Everything execve needs, built before fork: the child may only call
// async-signal-safe functions.
struct ExecArguments {
    std::vector<std::string> storage;
    std::vector<char*> argv;
    std::vector<char*> envp;

    explicit ExecArguments(const ProcessOptions& options)
    {
        storage.reserve(options.argv.size() + options.environment.size());
        for (const auto& arg : options.argv)
            storage.push_back(arg);
        for (const auto& [name, value] : options.environment)
            storage.push_back(name + "=" + value);
        for (std::size_t i = 0; i < options.argv.size(); ++i)
            argv.push_back(storage[i].data());
        argv.push_back(nullptr);
        for (std::size_t i = options.argv.size(); i < storage.size(); ++i)
            envp.push_back(storage[i].data());
        envp.push_back(nullptr);
    }
};

[[noreturn]] void childFailed() { _exit(127); }

void redirect(const char* path, int flags, int target)
{
    const int fd = open(path, flags, 0644);
    if (fd < 0 || dup2(fd, target) < 0)
        childFailed();
    close(fd);
}

std::string resolveProgram(const std::string& name, const Environment& environment)
{
    if (name.find('/') != std::string::npos)
        return name;
    const auto path = environment.find("PATH");
    std::stringstream dirs(path == environment.end() ? "/usr/bin:/bin" : path->second);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    throw std::runtime_error("program not found: " + name);
}

} // namespace

ChildProcess::ChildProcess(const ProcessOptions& options)
{
    if (options.argv.empty())
        throw std::invalid_argument("no program to start");
    ExecArguments exec(options);
    const std::string program = resolveProgram(options.argv.front(), options.environment);
    const std::string in = options.standardInput.string(), out = options.standardOutput.string(),
                      err = options.standardError.string(), dir = options.workingDirectory.string();
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (m_pid == 0) {
        // Nothing the suite started outlives a test program that dies.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        setpgid(0, 0);
        if (!dir.empty() && chdir(dir.c_str()) != 0)
            childFailed();
        redirect(in.c_str(), O_RDONLY, 0);
        redirect(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 1);
        redirect(err.c_str(), O_WRONLY | O_CREAT | O_APPEND, 2);
        if (options.extraDescriptor >= 0 && dup2(options.extraDescriptor, 3) < 0)
            childFailed();
        for (int fd = 4; fd < 1024; ++fd)
            close(fd);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execve(program.c_str(), exec.argv.data(), exec.envp.data());
        childFailed();
    }
    setpgid(m_pid, m_pid);
}

ChildProcess::~ChildProcess() { stop(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!m_exitCode) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid)
            m_exitCode = exitCodeOf(status);
        else if (done < 0)
            m_exitCode = -1;
        else if (std::chrono::steady_clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(kExitPollStep);
    }
    return m_exitCode;
}

bool ChildProcess::running() { return !waitForExit(std::chrono::milliseconds(0)); }

void ChildProcess::signal(int number) const
{
    if (m_pid > 0)
        ::kill(m_pid, number);
}

void ChildProcess::stop()
{
    if (m_pid <= 0)
        return;
    if (running()) {
        ::kill(-m_pid, SIGTERM);
        ::kill(m_pid, SIGTERM);
        if (!waitForExit(kTermPatience)) {
            ::kill(-m_pid, SIGKILL);
            ::kill(m_pid, SIGKILL);
            waitForExit(kTermPatience);
        }
    }
    // Whatever it left running in its group goes too.
    ::kill(-m_pid, SIGKILL);
}

CommandResult runCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds patience)
{
    char name[] = "/tmp/desktop-command-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        throw std::runtime_error("no temporary file");
    close(fd);
    CommandResult result;
    {
        ProcessOptions options(argv, environment);
        options.standardOutput = options.standardError = name;
        ChildProcess process(options);
        result.exitCode = process.waitForExit(patience).value_or(-1);
    }
    result.output = readFile(name);
    std::remove(name);
    return result;
}

Environment baseEnvironment() { return {{"PATH", "/usr/local/bin:/usr/bin:/bin"}, {"LANG", "C.UTF-8"}}; }

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace desktop
