// What a person does and sees on the X display, done from outside the
// program: the top-level windows with their captions and places, the input
// focus, keys and clicks sent through the XTest extension (as a keyboard and a
// mouse would send them, never as synthetic events), the screen's pixels, and
// the bell, counted from XKB's bell notifications.
#pragma once

#include <QImage>
#include <QRect>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

namespace desktop {

struct TopWindow {
    unsigned long id = 0;
    std::string title;
    QRect geometry; // in screen coordinates
    pid_t pid = 0; // of the program that made it, when it says
};

enum class Modifier { Plain, Shift, Alt, Control };

class XDesktop {
public:
    explicit XDesktop(const std::string& display);
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    // The mapped top-level windows, bottom to top.
    std::vector<TopWindow> windows();
    // The images of a window's icon, as a task bar shows them.
    std::vector<QImage> icon(unsigned long window);
    std::vector<TopWindow> windowsOf(pid_t pid);
    // What a window manager does when a window is picked: it gets the keyboard.
    void focus(unsigned long window);
    unsigned long focusedWindow();

    // A key pressed and let go, by its X keysym name ("comma", "Return", "Tab").
    void key(const std::string& keysym, Modifier modifier = Modifier::Plain);
    void pressKey(const std::string& keysym);
    void releaseKey(const std::string& keysym);
    void click(QPoint at);
    void moveTo(QPoint at);

    QImage grab(const QRect& area);
    QImage grabScreen();

    // Bells rung since the desktop was opened.
    int bells();

private:
    void sync();
    unsigned keycode(const std::string& keysym);

    _XDisplay* m_display = nullptr;
    _XDisplay* m_bellWatch = nullptr;
    int m_xkbEventType = 0;
    int m_bells = 0;
};

} // namespace desktop
