#include "tests/desktop/harness/session_bus.h"

#include "tests/desktop/harness/waiting.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace desktop {

namespace {

constexpr int kStartPatienceMs = 10000;
constexpr auto kConnectionName = "desktop-session";

std::string readLine(int fd)
{
    std::string line;
    pollfd watch{.fd = fd, .events = POLLIN, .revents = 0};
    while (poll(&watch, 1, kStartPatienceMs) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

} // namespace

SessionBus::SessionBus(const std::filesystem::path& runtimeFolder)
{
    int ends[2];
    if (pipe(ends) != 0)
        throw std::runtime_error("pipe");
    Environment environment = baseEnvironment();
    environment["XDG_RUNTIME_DIR"] = runtimeFolder.string();
    // Its socket in the runtime folder, which goes with the session, not in /tmp.
    const std::string address = "--address=unix:path=" + (runtimeFolder / "bus").string();
    ProcessOptions daemon({"dbus-daemon", "--session", "--nofork", "--nopidfile", address, "--print-address=3"},
                          environment);
    daemon.extraDescriptor = ends[1];
    m_daemon = std::make_unique<ChildProcess>(daemon);
    close(ends[1]);
    m_address = readLine(ends[0]);
    close(ends[0]);
    if (m_address.empty())
        throw std::runtime_error("the session bus did not start");
    environment["DBUS_SESSION_BUS_ADDRESS"] = m_address;
    m_accessibility = std::make_unique<ChildProcess>(
        ProcessOptions({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"}, environment));
    switchAccessibilityOn();
}

SessionBus::~SessionBus()
{
    QDBusConnection::disconnectFromBus(QString::fromLatin1(kConnectionName));
    m_accessibility.reset();
    m_daemon.reset();
}

void SessionBus::switchAccessibilityOn() const
{
    const QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(m_address),
                                                              QString::fromLatin1(kConnectionName));
    if (!bus.isConnected())
        throw std::runtime_error("cannot reach the session bus");
    auto setEnabled = [&] {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        call << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
             << QVariant::fromValue(QDBusVariant(true));
        return bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
    };
    // The launcher takes its bus name a moment after it starts.
    if (!waitUntil(setEnabled))
        throw std::runtime_error("the accessibility bus did not start");
}

} // namespace desktop
