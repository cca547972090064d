// A virtual X server of the suite's own (1024 x 768, 24-bit colour) on a
// display number the server picks itself, so that several suites can run
// beside each other. The screen density that programs see is set as desktops
// set it, through the Xft.dpi resource.
#pragma once

#include "tests/desktop/harness/child_process.h"

#include <memory>
#include <string>

namespace desktop {

class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N"
    const std::string& display() const { return m_display; }
    // Sets Xft.dpi for the programs started from now on.
    void setDensity(int dotsPerInch) const;

private:
    std::unique_ptr<ChildProcess> m_server;
    std::string m_display;
};

} // namespace desktop
