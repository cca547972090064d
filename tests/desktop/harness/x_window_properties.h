// Properties that programs set on their top-level windows, read as a window
// manager reads them: the caption in UTF-8 and the id of the process.
#pragma once

#include <X11/Xlib.h>
#include <string>
#include <sys/types.h>

namespace desktop {

// Empty when the window has no such property (or is gone).
std::string utf8Property(Display* display, Window window, const char* name);
// 0 when the window does not say.
pid_t windowPid(Display* display, Window window);

} // namespace desktop
