// Properties that programs set on their top-level windows, read as a window
// manager reads them: the caption in UTF-8, the id of the process, the icon.
#pragma once

#include <QImage>
#include <X11/Xlib.h>
#include <string>
#include <sys/types.h>
#include <vector>

namespace desktop {

// Empty when the window has no such property (or is gone).
std::string utf8Property(Display* display, Window window, const char* name);
// 0 when the window does not say.
pid_t windowPid(Display* display, Window window);
// The icon's images as a task bar reads them (_NET_WM_ICON); none when it has none.
std::vector<QImage> windowIcon(Display* display, Window window);

} // namespace desktop
