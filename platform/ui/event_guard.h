// Where the kit hands an event to program code (a bound handler, a paint that
// may decode a picture), the handling runs inside guarded(): an error that
// escapes it ends that event only and goes to the frame's catch point. Errors
// must never unwind through Qt's own frames, which are built without cleanup
// for exceptions: the toolkit's state would be left half-done.
#pragma once

#include <exception>
#include <functional>

namespace ui {

using EventErrorHandler = std::function<void(std::exception_ptr)>;

// Installed by the application frame; without one, errors are written to standard error.
void setEventErrorHandler(EventErrorHandler handler);
void reportEventError(const std::exception_ptr& error) noexcept;

template <class F> void guarded(F&& handling) noexcept
{
    try {
        handling();
    } catch (...) {
        reportEventError(std::current_exception());
    }
}

} // namespace ui
