#include "tests/desktop/harness/x_server.h"

#include <chrono>
#include <cstdio>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace desktop {

namespace {

constexpr int kStartPatienceMs = 10000;

std::string readDisplayNumber(int fd)
{
    std::string number;
    pollfd watch{.fd = fd, .events = POLLIN, .revents = 0};
    while (poll(&watch, 1, kStartPatienceMs) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    return number;
}

} // namespace

XServer::XServer()
{
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("pipe");
    ProcessOptions options({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"},
                           baseEnvironment());
    options.extraDescriptor = ends[1];
    m_server = std::make_unique<ChildProcess>(options);
    close(ends[1]);
    const std::string number = readDisplayNumber(ends[0]);
    close(ends[0]);
    if (number.empty())
        throw std::runtime_error("the X server did not start");
    m_display = ":" + number;
}

XServer::~XServer() = default;

void XServer::setDensity(int dotsPerInch) const
{
    char name[] = "/tmp/desktop-xrdb-XXXXXX";
    const int fd = mkstemp(name);
    const std::string line = "Xft.dpi: " + std::to_string(dotsPerInch) + "\n";
    const bool written = fd >= 0 && write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (fd >= 0)
        close(fd);
    const CommandResult result = written
        ? runCommand({"xrdb", "-display", m_display, "-merge", name}, baseEnvironment())
        : CommandResult{};
    std::remove(name);
    if (result.exitCode != 0)
        throw std::runtime_error("xrdb failed: " + result.output);
}

} // namespace desktop
