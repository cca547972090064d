#include "app/session_bus.h"

#include <QByteArray>
#include <QtGlobal>
#include <sys/stat.h>

namespace {

// The library's own variable for the session bus, and its value for "none, and start none".
constexpr auto kSessionBusAddress = "DBUS_SESSION_BUS_ADDRESS";
constexpr auto kNoBus = "disabled:";

// Where the message-bus library looks before it would start a bus itself: the
// address the session gives, then the user's bus socket in the runtime folder.
bool sessionNamesABus()
{
    if (!qEnvironmentVariableIsEmpty(kSessionBusAddress))
        return true;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat socketStatus {};
    return !runtime.isEmpty() && stat((runtime + "/bus").constData(), &socketStatus) == 0
        && S_ISSOCK(socketStatus.st_mode);
}

} // namespace

void declareAbsentSessionBus()
{
    if (!sessionNamesABus())
        qputenv(kSessionBusAddress, QByteArray(kNoBus));
}
