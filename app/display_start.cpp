#include "app/display_start.h"

#include "app/file_services.h"
#include "app/program_name.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The toolkit's words when the connection fails, and when it gives up on the platform after that.
constexpr auto kConnectFailure = "could not connect to display";
constexpr auto kPluginFailure = "Could not load the Qt platform plugin";

QtMessageHandler g_previous = nullptr;
bool g_displayFailed = false;
QString g_display;

void report(const QString& reason)
{
    const QString title = titleFromFileName(ProgramFilePath());
    const QByteArray line = displayStartFailure(title, g_display, g_displayFailed, reason).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
    // The toolkit is half made: nothing of it may run again, not even its destructors.
    std::_Exit(1);
}

void startMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        report(message.section(QLatin1Char('\n'), 0, 0));
    if (message.startsWith(QLatin1String(kConnectFailure))) {
        g_displayFailed = true;
        g_display = message.mid(static_cast<qsizetype>(std::strlen(kConnectFailure))).trimmed();
        return;
    }
    if (g_displayFailed && message.contains(QLatin1String(kPluginFailure)))
        return;
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

QString displayStartFailure(const QString& title, const QString& display, bool displayNamed, const QString& reason)
{
    if (!displayNamed)
        return title + QStringLiteral(": cannot start: ") + reason;
    const QString which = display.isEmpty() ? QStringLiteral("no display is named")
                                            : QStringLiteral("display \"%1\"").arg(display);
    return title + QStringLiteral(": cannot start: no display could be opened (%1)").arg(which);
}

DisplayStartGuard::DisplayStartGuard() { g_previous = qInstallMessageHandler(startMessages); }

DisplayStartGuard::~DisplayStartGuard() { qInstallMessageHandler(g_previous); }
