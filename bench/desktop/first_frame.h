// How a start's first drawn frame is seen from outside the process, the same
// for every program: the process's largest mapped top-level window is looked
// for, and once it is mapped its area of the screen is read back through
// shared memory (MIT-SHM) at a fine interval until it matches the window's
// settled look, taken from an unmeasured start. A window is mapped before the
// toolkit has painted it (the area still shows what was under it), so the
// match is the first frame a person sees whole.
#pragma once

#include "bench/program/figures.h"

#include <QRect>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

namespace bench {

struct FirstFrame {
    double mapped = 0; // ms from the start to the window mapped
    double drawn = 0; // ms from the start to the settled look on the screen
    // ms of processor time the process had used when the frame was seen: what a
    // loaded machine's other processes do not stretch
    double processor = 0;
};

class FrameWatch {
public:
    explicit FrameWatch(const std::string& display);
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    // The largest mapped top-level window of the process, once there is one.
    std::optional<QRect> mappedWindowOf(pid_t pid);
    bool anyWindowOf(pid_t pid) { return mappedWindowOf(pid).has_value(); }
    // The screen's pixels in the area, as the server holds them.
    std::vector<quint32> pixels(const QRect& area);
    // Waits for the process's window and then for its pixels to match `look`;
    // nothing when either does not come in time.
    std::optional<FirstFrame> waitForFirstFrame(pid_t pid, Clock::time_point start, const QRect& area,
                                                const std::vector<quint32>& look);

private:
    struct SharedImage;
    _XDisplay* m_display = nullptr;
    std::unique_ptr<SharedImage> m_image;
};

// Whether two readings of the same area show the same frame: a few pixels
// may differ (a caret, a tone of anti-aliasing), a frame's content may not.
bool sameFrame(const std::vector<quint32>& seen, const std::vector<quint32>& look);

} // namespace bench
