#include "tests/desktop/harness/x_window_properties.h"

#include <X11/Xatom.h>
#include <memory>

namespace desktop {

namespace {

struct XFreeData {
    void operator()(unsigned char* data) const { XFree(data); }
};

// A property's items as the server returns them (32-bit items come as longs), or none.
struct Property {
    std::unique_ptr<unsigned char, XFreeData> data;
    unsigned long count = 0;
};

Property readProperty(Display* display, Window window, const char* name, Atom type, long maxItems)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, maxItems, False, type, &actualType, &format, &count, &after,
                           &data)
        != Success)
        return {};
    return {std::unique_ptr<unsigned char, XFreeData>(data), data ? count : 0};
}

} // namespace

std::string utf8Property(Display* display, Window window, const char* name)
{
    const Property text = readProperty(display, window, name, XInternAtom(display, "UTF8_STRING", False), 1024);
    return text.count ? std::string(reinterpret_cast<const char*>(text.data.get()), text.count) : std::string();
}

pid_t windowPid(Display* display, Window window)
{
    const Property pid = readProperty(display, window, "_NET_WM_PID", XA_CARDINAL, 1);
    return pid.count == 1 ? static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(pid.data.get())) : 0;
}

} // namespace desktop
