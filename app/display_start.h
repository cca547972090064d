// The toolkit opens the display while the application object is made, and
// ends the process with an abort when it cannot. While this guard lives, that
// failure becomes the program's own start-up failure instead: one line on
// standard error that says no display could be opened and names it, and exit
// code 1. Messages of any other kind pass on as usual.
#pragma once

#include <QString>

class DisplayStartGuard {
public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
};

// The line for a start that failed: `display` as the toolkit named it (empty
// when none was named), or, for another failure, the toolkit's own reason.
QString displayStartFailure(const QString& title, const QString& display, bool displayNamed, const QString& reason);
