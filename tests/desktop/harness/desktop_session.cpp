#include "tests/desktop/harness/desktop_session.h"

#include <cerrno>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace desktop {

namespace {

DesktopSession* g_session = nullptr;

std::filesystem::path privateFolder(const char* pattern)
{
    std::string name = (std::filesystem::temp_directory_path() / pattern).string();
    if (!mkdtemp(name.data()))
        throw std::runtime_error("no temporary folder");
    return name; // mkdtemp makes it 0700, as a runtime folder must be
}

} // namespace

DesktopSession::DesktopSession()
    : m_runtimeFolder(privateFolder("desktop-runtime-XXXXXX")),
      m_logFolder(std::filesystem::path(TOLVIKA_DESKTOP_LOGS) / program_invocation_short_name)
{
    // Each test program's own logs, emptied at its start.
    std::filesystem::remove_all(m_logFolder);
    std::filesystem::create_directories(m_logFolder);
    m_server = std::make_unique<XServer>();
    m_server->setDensity(96);
    m_screen = std::make_unique<XDesktop>(m_server->display());
    m_bus = std::make_unique<SessionBus>(m_runtimeFolder);
    m_accessibility = std::make_unique<AccessibilityBus>(m_bus->address());
    m_sound = std::make_unique<SoundServer>(m_runtimeFolder, m_bus->address(), m_logFolder);
    m_sound->start();
    g_session = this;
}

DesktopSession::~DesktopSession()
{
    g_session = nullptr;
    m_sound.reset();
    m_accessibility.reset();
    m_bus.reset();
    m_screen.reset();
    m_server.reset();
    std::error_code ignored;
    std::filesystem::remove_all(m_runtimeFolder, ignored);
}

std::unique_ptr<SinkRecorder> DesktopSession::recordSink()
{
    return std::make_unique<SinkRecorder>(m_sound->clientEnvironment());
}

Environment DesktopSession::programEnvironment(const std::filesystem::path& home) const
{
    Environment environment = baseEnvironment();
    environment["DISPLAY"] = m_server->display();
    environment["XDG_RUNTIME_DIR"] = m_runtimeFolder.string();
    environment["DBUS_SESSION_BUS_ADDRESS"] = m_bus->address();
    environment["HOME"] = home.string();
    if (const passwd* user = getpwuid(getuid()))
        environment["USER"] = user->pw_name;
    return environment;
}

DesktopSession& session()
{
    if (!g_session)
        throw std::logic_error("no desktop session");
    return *g_session;
}

} // namespace desktop
