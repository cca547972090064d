#include "tests/desktop/harness/sound_server.h"

#include "tests/desktop/harness/waiting.h"

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace desktop {

namespace {

// A socket left by a killed server exists too; only a live one accepts.
bool listening(const std::filesystem::path& socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    const bool accepted = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return accepted;
}

} // namespace

SoundServer::SoundServer(const std::filesystem::path& runtimeFolder, const std::string& sessionBusAddress,
                         const std::filesystem::path& logFolder)
    : m_runtimeFolder(runtimeFolder), m_busAddress(sessionBusAddress), m_logFolder(logFolder)
{}

SoundServer::~SoundServer() { kill(); }

Environment SoundServer::clientEnvironment() const
{
    Environment environment = baseEnvironment();
    environment["XDG_RUNTIME_DIR"] = m_runtimeFolder.string();
    environment["DBUS_SESSION_BUS_ADDRESS"] = m_busAddress;
    environment["HOME"] = m_runtimeFolder.string();
    return environment;
}

void SoundServer::start()
{
    // A loaded machine now and then loses a daemon's first connection; one more try.
    if ((runningNow() && m_withOutputs) || tryStart())
        return;
    kill();
    if (!tryStart())
        throw std::runtime_error("the sound server offered no null sink; see the logs in " + m_logFolder.string());
}

void SoundServer::startWithoutOutputs()
{
    kill();
    if (!startPipeWire())
        throw std::runtime_error("PipeWire did not start; see the logs in " + m_logFolder.string());
}

bool SoundServer::tryStart()
{
    kill();
    // The other two connect to the server once, at their start: it must be listening.
    if (!startPipeWire())
        return false;
    launch("wireplumber");
    launch("pipewire-pulse");
    m_withOutputs = true;
    return waitUntil([this] { return sinkReady(); });
}

bool SoundServer::startPipeWire()
{
    launch("pipewire");
    return waitUntil([this] { return listening(m_runtimeFolder / "pipewire-0"); });
}

void SoundServer::launch(const char* daemon)
{
    ProcessOptions options({daemon}, clientEnvironment());
    options.standardOutput = options.standardError = m_logFolder / (std::string(daemon) + ".log");
    m_daemons.push_back(std::make_unique<ChildProcess>(options));
}

void SoundServer::kill()
{
    for (auto& daemon : m_daemons)
        daemon->signal(SIGKILL);
    m_daemons.clear();
    m_withOutputs = false;
}

// Listed is not yet ready: for a moment after the sink appears, a loaded
// machine still refuses a stream on it. Ready is when a short one plays.
bool SoundServer::sinkReady() const
{
    const CommandResult sinks = runCommand({"pactl", "list", "short", "sinks"}, clientEnvironment(), 3s);
    if (sinks.exitCode != 0 || sinks.output.find("auto_null") == std::string::npos)
        return false;
    const CommandResult played = runCommand({"pacat", "--playback", "--raw", "--device=auto_null", "/dev/null"},
                                            clientEnvironment(), 3s);
    return played.exitCode == 0;
}

} // namespace desktop
