// One desktop session for a whole test program: a private X display, session
// and accessibility buses, a sound server, and the reader of each. Started
// once, before the first test, and torn down after the last, so that each
// test only starts Tolvika itself. Several test programs can run at once:
// each gets a display number and runtime folder of its own.
#pragma once

#include "tests/desktop/harness/accessibility_tree.h"
#include "tests/desktop/harness/child_process.h"
#include "tests/desktop/harness/session_bus.h"
#include "tests/desktop/harness/sink_recorder.h"
#include "tests/desktop/harness/sound_server.h"
#include "tests/desktop/harness/x_desktop.h"
#include "tests/desktop/harness/x_server.h"

#include <filesystem>
#include <memory>

namespace desktop {

class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    XServer& server() { return *m_server; }
    XDesktop& screen() { return *m_screen; }
    AccessibilityBus& accessibility() { return *m_accessibility; }
    SoundServer& sound() { return *m_sound; }
    // Records the sound server's output from now on; one recorder at a time.
    std::unique_ptr<SinkRecorder> recordSink();

    // A desktop program's environment in this session: the display, the
    // runtime folder, the session bus, and the given home folder.
    Environment programEnvironment(const std::filesystem::path& home) const;
    const std::filesystem::path& runtimeFolder() const { return m_runtimeFolder; }
    // Where the suite keeps logs and screenshots of failed tests.
    const std::filesystem::path& logFolder() const { return m_logFolder; }

private:
    std::filesystem::path m_runtimeFolder;
    std::filesystem::path m_logFolder;
    std::unique_ptr<XServer> m_server;
    std::unique_ptr<XDesktop> m_screen;
    std::unique_ptr<SessionBus> m_bus;
    std::unique_ptr<AccessibilityBus> m_accessibility;
    std::unique_ptr<SoundServer> m_sound;
};

// The session of the running test program.
DesktopSession& session();

} // namespace desktop
