#include "tests/desktop/harness/x_window_properties.h"

#include <X11/Xatom.h>

namespace desktop {

std::string utf8Property(Display* display, Window window, const char* name)
{
    const Atom property = XInternAtom(display, name, False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            != Success
        || !data)
        return {};
    std::string text(reinterpret_cast<char*>(data), count);
    XFree(data);
    return text;
}

pid_t windowPid(Display* display, Window window)
{
    const Atom property = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            != Success
        || !data)
        return 0;
    const pid_t pid = count == 1 ? static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) : 0;
    XFree(data);
    return pid;
}

} // namespace desktop
