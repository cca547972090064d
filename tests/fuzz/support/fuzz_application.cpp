#include "tests/fuzz/support/fuzz_application.h"

#include <QApplication>
#include <QByteArray>

namespace {

// Qt keeps pointers into argc and argv for the application's life.
int g_argc = 3;
char g_platformOption[] = "-platform";
char g_platformName[] = "offscreen";
char* g_argv[4] = {nullptr, g_platformOption, g_platformName, nullptr};

} // namespace

void startOffscreenApplication(const char* programName)
{
    static QByteArray name(programName ? programName : "fuzz");
    g_argv[0] = name.data();
    static QApplication application(g_argc, g_argv);
}
