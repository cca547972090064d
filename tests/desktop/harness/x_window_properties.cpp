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

std::vector<QImage> windowIcon(Display* display, Window window)
{
    // Width, height, then ARGB pixels, for each image; a few icons of tens of pixels.
    const Property icon = readProperty(display, window, "_NET_WM_ICON", XA_CARDINAL, 1 << 16);
    const auto* items = reinterpret_cast<const unsigned long*>(icon.data.get());
    std::vector<QImage> images;
    for (unsigned long at = 0; at + 2 <= icon.count;) {
        const auto width = static_cast<int>(items[at]), height = static_cast<int>(items[at + 1]);
        at += 2;
        if (width <= 0 || height <= 0 || at + static_cast<unsigned long>(width) * height > icon.count)
            break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, static_cast<QRgb>(items[at++]));
        images.push_back(image);
    }
    return images;
}

} // namespace desktop
