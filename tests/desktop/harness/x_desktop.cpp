#include "tests/desktop/harness/x_desktop.h"

#include "tests/desktop/harness/x_window_properties.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <memory>
#include <stdexcept>

namespace desktop {

namespace {

// Windows come and go while they are read; such errors only mean "gone".
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

Display* openDisplay(const std::string& name)
{
    Display* display = XOpenDisplay(name.c_str());
    if (!display)
        throw std::runtime_error("cannot open display " + name);
    return display;
}

unsigned modifierKeysym(Modifier modifier)
{
    switch (modifier) {
    case Modifier::Shift: return XK_Shift_L;
    case Modifier::Alt: return XK_Alt_L;
    case Modifier::Control: return XK_Control_L;
    case Modifier::Plain: break;
    }
    return NoSymbol;
}

} // namespace

XDesktop::XDesktop(const std::string& display)
{
    XSetErrorHandler(ignoreErrors);
    m_display = openDisplay(display);
    m_bellWatch = openDisplay(display);
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(m_bellWatch, &opcode, &m_xkbEventType, &error, &major, &minor))
        throw std::runtime_error("the X server has no XKB");
    XkbSelectEvents(m_bellWatch, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(m_bellWatch, False);
    int event = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTest");
}

XDesktop::~XDesktop()
{
    XCloseDisplay(m_bellWatch);
    XCloseDisplay(m_display);
}

void XDesktop::sync() { XSync(m_display, False); }

std::vector<QImage> XDesktop::icon(unsigned long window) { return windowIcon(m_display, window); }

std::vector<TopWindow> XDesktop::windows()
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<TopWindow> result;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return result;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        result.push_back(TopWindow{
            .id = children[i],
            .title = utf8Property(m_display, children[i], "_NET_WM_NAME"),
            .geometry = QRect(attributes.x, attributes.y, attributes.width, attributes.height),
            .pid = windowPid(m_display, children[i]),
        });
    }
    if (children)
        XFree(children);
    return result;
}

std::vector<TopWindow> XDesktop::windowsOf(pid_t pid)
{
    std::vector<TopWindow> result;
    for (TopWindow& window : windows())
        if (window.pid == pid)
            result.push_back(std::move(window));
    return result;
}

void XDesktop::focus(unsigned long window)
{
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    sync();
}

unsigned long XDesktop::focusedWindow()
{
    Window window = 0;
    int revert = 0;
    XGetInputFocus(m_display, &window, &revert);
    return window;
}

unsigned XDesktop::keycode(const std::string& keysym)
{
    const KeySym symbol = XStringToKeysym(keysym.c_str());
    const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(m_display, symbol);
    if (!code)
        throw std::invalid_argument("no key for " + keysym);
    return code;
}

void XDesktop::pressKey(const std::string& keysym)
{
    XTestFakeKeyEvent(m_display, keycode(keysym), True, CurrentTime);
    sync();
}

void XDesktop::releaseKey(const std::string& keysym)
{
    XTestFakeKeyEvent(m_display, keycode(keysym), False, CurrentTime);
    sync();
}

void XDesktop::key(const std::string& keysym, Modifier modifier)
{
    const unsigned held = modifierKeysym(modifier);
    const KeyCode heldCode = held == NoSymbol ? 0 : XKeysymToKeycode(m_display, held);
    if (heldCode)
        XTestFakeKeyEvent(m_display, heldCode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode(keysym), True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode(keysym), False, CurrentTime);
    if (heldCode)
        XTestFakeKeyEvent(m_display, heldCode, False, CurrentTime);
    sync();
}

void XDesktop::moveTo(QPoint at)
{
    XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
    sync();
}

void XDesktop::click(QPoint at)
{
    moveTo(at);
    XTestFakeButtonEvent(m_display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, Button1, False, CurrentTime);
    sync();
}

QImage XDesktop::grab(const QRect& area)
{
    const auto destroy = [](XImage* image) { XDestroyImage(image); };
    std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(m_display, DefaultRootWindow(m_display), area.x(), area.y(), static_cast<unsigned>(area.width()),
                  static_cast<unsigned>(area.height()), AllPlanes, ZPixmap),
        destroy);
    if (!image)
        throw std::runtime_error("cannot read the screen");
    QImage result(area.size(), QImage::Format_RGB32);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < area.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long pixel = direct
                ? reinterpret_cast<const quint32*>(image->data + y * image->bytes_per_line)[x]
                : XGetPixel(image.get(), x, y);
            row[x] = static_cast<QRgb>(pixel) | 0xFF000000u;
        }
    }
    return result;
}

QImage XDesktop::grabScreen()
{
    const Screen* screen = DefaultScreenOfDisplay(m_display);
    return grab(QRect(0, 0, screen->width, screen->height));
}

int XDesktop::bells()
{
    XSync(m_bellWatch, False);
    while (XPending(m_bellWatch)) {
        XEvent event;
        XNextEvent(m_bellWatch, &event);
        if (event.type == m_xkbEventType && reinterpret_cast<XkbEvent*>(&event)->any.xkb_type == XkbBellNotify)
            ++m_bells;
    }
    return m_bells;
}

} // namespace desktop
