#include "tests/desktop/harness/accessibility_tree.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <atomic>
#include <stdexcept>

namespace desktop {

namespace {

constexpr int kCallTimeoutMs = 3000;
// Deeper than any window of the program; a guard against a cyclic tree.
constexpr int kMaxDepth = 24;
// Extents relative to the screen.
constexpr unsigned kScreenCoordinates = 0;

struct ObjectRef {
    QString service;
    QString path;
};

class Reader {
public:
    explicit Reader(const QDBusConnection& bus) : m_bus(bus) {}

    QList<QVariant> call(const ObjectRef& object, const QString& interface, const QString& method,
                         const QList<QVariant>& arguments = {}) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(object.service, object.path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = m_bus.call(message, QDBus::Block, kCallTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments();
    }

    QVariant property(const ObjectRef& object, const QString& interface, const QString& name) const
    {
        const auto reply = call(object, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                {interface, name});
        return reply.isEmpty() ? QVariant() : reply.first().value<QDBusVariant>().variant();
    }

    std::vector<ObjectRef> children(const ObjectRef& object) const
    {
        std::vector<ObjectRef> result;
        const auto reply = call(object, accessible(), QStringLiteral("GetChildren"));
        if (reply.isEmpty())
            return result;
        const QDBusArgument list = reply.first().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString service;
            QDBusObjectPath path;
            list.beginStructure();
            list >> service >> path;
            list.endStructure();
            result.push_back({service, path.path()});
        }
        list.endArray();
        return result;
    }

    Accessible read(const ObjectRef& object, int depth) const
    {
        Accessible node;
        node.role = firstString(call(object, accessible(), QStringLiteral("GetRoleName")));
        node.name = property(object, accessible(), QStringLiteral("Name")).toString();
        node.states = states(object);
        const QStringList interfaces =
            call(object, accessible(), QStringLiteral("GetInterfaces")).value(0).toStringList();
        if (interfaces.contains(QStringLiteral("org.a11y.atspi.Component")))
            node.extents = extents(object);
        if (interfaces.contains(QStringLiteral("org.a11y.atspi.Text")))
            node.text = text(object);
        if (depth < kMaxDepth)
            for (const ObjectRef& child : children(object))
                node.children.push_back(read(child, depth + 1));
        return node;
    }

    static QString accessible() { return QStringLiteral("org.a11y.atspi.Accessible"); }

private:
    static QString firstString(const QList<QVariant>& reply)
    {
        return reply.isEmpty() ? QString() : reply.first().toString();
    }

    std::uint64_t states(const ObjectRef& object) const
    {
        const auto reply = call(object, accessible(), QStringLiteral("GetState"));
        if (reply.isEmpty())
            return 0;
        QList<uint> words;
        if (reply.first().canConvert<QDBusArgument>())
            reply.first().value<QDBusArgument>() >> words;
        else
            words = reply.first().value<QList<uint>>();
        std::uint64_t bits = 0;
        for (int i = 0; i < words.size() && i < 2; ++i)
            bits |= static_cast<std::uint64_t>(words[i]) << (32 * i);
        return bits;
    }

    QRect extents(const ObjectRef& object) const
    {
        const auto reply = call(object, QStringLiteral("org.a11y.atspi.Component"), QStringLiteral("GetExtents"),
                                {QVariant::fromValue(kScreenCoordinates)});
        if (reply.isEmpty())
            return {};
        int x = 0, y = 0, width = 0, height = 0;
        const QDBusArgument box = reply.first().value<QDBusArgument>();
        box.beginStructure();
        box >> x >> y >> width >> height;
        box.endStructure();
        return {x, y, width, height};
    }

    QString text(const ObjectRef& object) const
    {
        const int count =
            property(object, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("CharacterCount")).toInt();
        return firstString(call(object, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("GetText"), {0, count}));
    }

    QDBusConnection m_bus;
};

QString busAddress(const std::string& sessionBusAddress, const QString& connectionName)
{
    const QDBusConnection session = QDBusConnection::connectToBus(QString::fromStdString(sessionBusAddress),
                                                                  connectionName + QStringLiteral("-s"));
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                       QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusMessage reply = session.call(call, QDBus::Block, kCallTimeoutMs);
    QDBusConnection::disconnectFromBus(connectionName + QStringLiteral("-s"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        throw std::runtime_error("no accessibility bus");
    return reply.arguments().first().toString();
}

} // namespace

const Accessible* Accessible::find(const std::function<bool(const Accessible&)>& match) const
{
    if (match(*this))
        return this;
    for (const Accessible& child : children)
        if (const Accessible* found = child.find(match))
            return found;
    return nullptr;
}

const Accessible* Accessible::findByName(const QString& wanted) const
{
    return find([&](const Accessible& a) { return a.name == wanted; });
}

const Accessible* Accessible::findByRole(const QString& wanted) const
{
    return find([&](const Accessible& a) { return a.role == wanted; });
}

const Accessible* Accessible::focused() const
{
    // The innermost focused object: a text area reports its viewport as focused too.
    const Accessible* outer = find([](const Accessible& a) { return a.has(State::Focused); });
    return outer;
}

AccessibilityBus::AccessibilityBus(const std::string& sessionBusAddress)
{
    static std::atomic<int> serial{0};
    m_connection = QStringLiteral("desktop-a11y-%1").arg(serial++);
    const QString address = busAddress(sessionBusAddress, m_connection);
    if (!QDBusConnection::connectToBus(address, m_connection).isConnected())
        throw std::runtime_error("cannot reach the accessibility bus");
}

AccessibilityBus::~AccessibilityBus() { QDBusConnection::disconnectFromBus(m_connection); }

std::optional<Accessible> AccessibilityBus::application(pid_t pid)
{
    const Reader reader{QDBusConnection(m_connection)};
    const ObjectRef registry{QStringLiteral("org.a11y.atspi.Registry"),
                             QStringLiteral("/org/a11y/atspi/accessible/root")};
    const ObjectRef busDaemon{QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus")};
    for (const ObjectRef& application : reader.children(registry)) {
        const auto owner = reader.call(busDaemon, QStringLiteral("org.freedesktop.DBus"),
                                       QStringLiteral("GetConnectionUnixProcessID"), {application.service});
        if (!owner.isEmpty() && static_cast<pid_t>(owner.first().toUInt()) == pid)
            return reader.read(application, 0);
    }
    return std::nullopt;
}

} // namespace desktop
