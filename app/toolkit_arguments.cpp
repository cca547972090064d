#include "app/toolkit_arguments.h"

#include "app/session_bus.h"

#include <QByteArray>
#include <QGuiApplication>

namespace {

int g_argc = 1;
QByteArray g_programName;
char* g_argv[] = {nullptr, nullptr};

} // namespace

int& prepareToolkit(const QString& programName)
{
    // The windows adapt their stored layouts to the screen's density
    // themselves. The toolkit's own scaling of whole windows is kept to whole
    // factors (a 1.25 of 120 dots per inch is left to the layouts), or it
    // would scale them a second time: a window a quarter too large, its
    // pictures and glyphs blurred, the repeat control 100 pixels wide.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    declareAbsentSessionBus();
    g_programName = programName.toLocal8Bit();
    g_argv[0] = g_programName.data();
    g_argc = 1;
    return g_argc;
}

char** toolkitArgv() { return g_argv; }
