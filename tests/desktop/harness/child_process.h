// A program the desktop suite starts: its environment is given whole, so that
// nothing of the test's own leaks into it; its output goes to files; and it is
// ended, with everything it started in its process group, when the object
// goes. The suite drives every outside program (the X server, the buses, the
// sound server, Tolvika itself) through this one class.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktop {

using Environment = std::map<std::string, std::string>;

struct ProcessOptions {
    ProcessOptions(std::vector<std::string> arguments, Environment variables)
        : argv(std::move(arguments)), environment(std::move(variables))
    {}

    std::vector<std::string> argv;
    Environment environment;
    std::filesystem::path workingDirectory;
    std::filesystem::path standardOutput = "/dev/null";
    std::filesystem::path standardError = "/dev/null";
    std::filesystem::path standardInput = "/dev/null";
    // A pipe end handed to the program as descriptor 3, or -1.
    int extraDescriptor = -1;
};

class ChildProcess {
public:
    explicit ChildProcess(const ProcessOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // The exit code (128 + signal for a signal), once the program has ended within the time.
    std::optional<int> waitForExit(std::chrono::milliseconds patience);
    bool running();
    void signal(int number) const;
    // SIGTERM to the whole group, then SIGKILL after a moment; waits for the end.
    void stop();

private:
    pid_t m_pid = -1;
    std::optional<int> m_exitCode;
};

struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

// Runs a short helper command to its end (killed after `patience`).
CommandResult runCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds patience = std::chrono::seconds(20));

// The minimal environment of a desktop session's programs: a search path and a C.UTF-8 locale.
Environment baseEnvironment();

std::string readFile(const std::filesystem::path& path);

} // namespace desktop
