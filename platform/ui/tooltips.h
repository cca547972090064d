// The program's tooltips, their timing and their showing in one place. A
// tooltip is its owner's Hint up to the first "|"; the owner is the control
// under the pointer or its nearest parent whose hints are on, and none shows
// while no window of the program is active. It comes up when the pointer has
// rested half a second, at once when the pointer moves on to another control
// while one is up, stays two and a half seconds, and goes at any key. The
// application installs the timing and lets it see every event; the windows
// hand it their tooltip events. The hint settings themselves are TControl's.
#pragma once

class QEvent;
class QHelpEvent;
class QStyle;

namespace tooltips {

// The style that times tooltips, over the platform's own; the caller owns it.
QStyle* newTimingStyle();

// Seen before every event is delivered: a key press or release puts a showing
// tooltip away at once.
void notice(const QEvent& event);

// A window's tooltip event: shows the owner's tooltip there, or puts away any
// that is up.
void answer(const QHelpEvent& event);

} // namespace tooltips
