#include "bench/desktop/first_frame.h"

#include "tests/desktop/harness/x_window_properties.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <cstring>
#include <stdexcept>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <thread>
#include <time.h>

namespace bench {

namespace {

// Fine enough that the figure's step is small beside a start of some 100 ms.
constexpr auto kPollInterval = std::chrono::microseconds(500);
// Far beyond any start; a start that takes longer is counted as missed.
constexpr auto kStartPatience = std::chrono::seconds(10);
// At most one pixel in this many may differ for a frame to count as the settled one.
constexpr std::size_t kDifferingPixelsPerMille = 5;

// The processor time of all the process's threads so far, living and ended, from its CPU-time clock.
double processorMilliseconds(pid_t pid)
{
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0)
        return 0;
    return static_cast<double>(used.tv_sec) * 1000.0 + static_cast<double>(used.tv_nsec) / 1e6;
}

} // namespace

// One shared-memory image of an area's size; the server copies the screen into it without the socket.
struct FrameWatch::SharedImage {
    SharedImage(Display* display, QSize size) : m_display(display), m_size(size)
    {
        const int screen = DefaultScreen(display);
        m_image = XShmCreateImage(display, DefaultVisual(display, screen),
                                  static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, nullptr, &m_segment,
                                  static_cast<unsigned>(size.width()), static_cast<unsigned>(size.height()));
        if (!m_image)
            throw std::runtime_error("no shared image");
        m_segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(m_image->bytes_per_line * m_image->height),
                                 IPC_CREAT | 0600);
        m_segment.shmaddr = m_image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
        m_segment.readOnly = False;
        const bool attached = XShmAttach(display, &m_segment);
        XSync(display, False);
        // Removed now, freed when both sides have let go of it.
        shmctl(m_segment.shmid, IPC_RMID, nullptr);
        if (!attached || m_image->bits_per_pixel != 32)
            throw std::runtime_error("the X server cannot share a 32-bit image");
    }
    ~SharedImage()
    {
        XShmDetach(m_display, &m_segment);
        XSync(m_display, False);
        XDestroyImage(m_image);
        shmdt(m_segment.shmaddr);
    }
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    std::vector<quint32> read(const QPoint& at)
    {
        if (!XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, at.x(), at.y(), AllPlanes))
            throw std::runtime_error("cannot read the screen");
        std::vector<quint32> result(static_cast<std::size_t>(m_size.width() * m_size.height()));
        for (int y = 0; y < m_size.height(); ++y)
            std::memcpy(result.data() + static_cast<std::ptrdiff_t>(y) * m_size.width(),
                        m_image->data + static_cast<std::ptrdiff_t>(y) * m_image->bytes_per_line,
                        static_cast<std::size_t>(m_size.width()) * sizeof(quint32));
        return result;
    }

    QSize size() const { return m_size; }

private:
    Display* m_display;
    QSize m_size;
    XShmSegmentInfo m_segment{};
    XImage* m_image = nullptr;
};

FrameWatch::FrameWatch(const std::string& display) : m_display(XOpenDisplay(display.c_str()))
{
    if (!m_display)
        throw std::runtime_error("cannot open display " + display);
    if (!XShmQueryExtension(m_display))
        throw std::runtime_error("the X server has no MIT-SHM");
}

FrameWatch::~FrameWatch()
{
    m_image.reset();
    XCloseDisplay(m_display);
}

std::optional<QRect> FrameWatch::mappedWindowOf(pid_t pid)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::optional<QRect> largest;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return largest;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable
            || desktop::windowPid(m_display, children[i]) != pid)
            continue;
        const QRect area(attributes.x, attributes.y, attributes.width, attributes.height);
        if (!largest || area.width() * area.height() > largest->width() * largest->height())
            largest = area;
    }
    if (children)
        XFree(children);
    return largest;
}

std::vector<quint32> FrameWatch::pixels(const QRect& area)
{
    if (!m_image || m_image->size() != area.size())
        m_image = std::make_unique<SharedImage>(m_display, area.size());
    return m_image->read(area.topLeft());
}

std::optional<FirstFrame> FrameWatch::waitForFirstFrame(pid_t pid, Clock::time_point start, const QRect& area,
                                                        const std::vector<quint32>& look)
{
    const auto deadline = start + kStartPatience;
    std::optional<double> mapped;
    while (Clock::now() < deadline) {
        if (!mapped) {
            if (mappedWindowOf(pid))
                mapped = milliseconds(Clock::now() - start);
        } else if (sameFrame(pixels(area), look)) {
            const double drawn = milliseconds(Clock::now() - start);
            return FirstFrame{.mapped = *mapped, .drawn = drawn, .processor = processorMilliseconds(pid)};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return std::nullopt;
}

bool sameFrame(const std::vector<quint32>& seen, const std::vector<quint32>& look)
{
    if (seen.size() != look.size())
        return false;
    const std::size_t allowed = seen.size() * kDifferingPixelsPerMille / 1000;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < seen.size(); ++i)
        if (((seen[i] ^ look[i]) & 0xFFFFFFu) != 0 && ++differing > allowed)
            return false;
    return true;
}

} // namespace bench
