#include "bench/program/startup_runs.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool runOnce(const std::string& probe, StartRun& run, std::string& error)
{
    int out[2];
    if (pipe(out) != 0) {
        error = "no pipe";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // Qt's and SDL's notices of the offscreen platform are no figures.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* arguments[] = {const_cast<char*>(probe.c_str()), nullptr};
    pid_t child = 0;
    const long long spawned = monotonicNanoseconds();
    const int failed = posix_spawn(&child, probe.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        error = "cannot start " + probe;
        return false;
    }
    std::string report;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);

    long long painted = 0;
    long long mainEntered = 0;
    long long processor = 0;
    double rss = 0;
    int welcome = 0;
    if (std::sscanf(report.c_str(), "painted_ns=%lld main_ns=%lld cpu_ns=%lld rss_mib=%lf welcome=%d", &painted,
                    &mainEntered, &processor, &rss, &welcome)
        != 5) {
        error = "the start reported no paint: " + report;
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the start did not end cleanly: " + report;
        return false;
    }
    run.toFirstPaintMs = static_cast<double>(painted - spawned) / 1e6;
    run.toMainMs = static_cast<double>(mainEntered - spawned) / 1e6;
    run.processorMs = static_cast<double>(processor) / 1e6;
    run.residentMiB = rss;
    run.welcomeDrawn = welcome == 1;
    return true;
}

} // namespace

bool runStarts(const std::string& probe, int runs, std::vector<StartRun>& results, std::string& error)
{
    for (int i = 0; i < runs; ++i) {
        StartRun run;
        if (!runOnce(probe, run, error))
            return false;
        results.push_back(run);
    }
    return true;
}

} // namespace bench
