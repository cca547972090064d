// Test entry point of its own: the sandbox's environment is in place before
// any test runs, so that the application the test creates finds only fresh,
// empty folders for its home, settings, caches, data, runtime files and
// temporary files. The toolkit settings the other tests get from their
// harness are kept if the run already chose them.
#include "tests/writes_nothing/sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace {

Sandbox g_sandbox;

std::string makeSandboxFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0700) != 0)
        throw std::runtime_error("cannot make " + path);
    return path;
}

void enterSandbox()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tolvika-writes-nothing-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make the sandbox");
    g_sandbox.root = pattern;
    g_sandbox.home = makeSandboxFolder(pattern + "/home");
    g_sandbox.content = makeSandboxFolder(pattern + "/content");
    setenv("HOME", g_sandbox.home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", makeSandboxFolder(pattern + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", makeSandboxFolder(pattern + "/cache").c_str(), 1);
    setenv("XDG_DATA_HOME", makeSandboxFolder(pattern + "/data-home").c_str(), 1);
    setenv("XDG_STATE_HOME", makeSandboxFolder(pattern + "/state").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", makeSandboxFolder(pattern + "/runtime").c_str(), 1);
    setenv("TMPDIR", makeSandboxFolder(pattern + "/tmp").c_str(), 1);
    // As in a bare X session: no session bus, which no library may start in its place.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    setenv("QT_FONT_DPI", "120", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

} // namespace

const Sandbox& sandbox() { return g_sandbox; }

int main(int argc, char** argv)
{
    enterSandbox();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(g_sandbox.root, ignored);
    return result;
}
