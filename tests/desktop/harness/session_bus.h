// A desktop session's message buses, private to the suite: a session bus,
// and on it the accessibility bus with its registry, switched on as a desktop
// switches it on for a screen reader. Programs started with
// environment() find both, as they would in a desktop session.
#pragma once

#include "tests/desktop/harness/child_process.h"

#include <filesystem>
#include <memory>
#include <string>

namespace desktop {

class SessionBus {
public:
    // `runtimeFolder` is the session's XDG_RUNTIME_DIR.
    explicit SessionBus(const std::filesystem::path& runtimeFolder);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    const std::string& address() const { return m_address; }

private:
    void switchAccessibilityOn() const;

    std::unique_ptr<ChildProcess> m_daemon;
    std::unique_ptr<ChildProcess> m_accessibility;
    std::string m_address;
};

} // namespace desktop
