#include "platform/ui/event_guard.h"

#include <cstdio>

namespace ui {

namespace {

EventErrorHandler& installed()
{
    static EventErrorHandler handler;
    return handler;
}

} // namespace

void setEventErrorHandler(EventErrorHandler handler) { installed() = std::move(handler); }

void reportEventError(const std::exception_ptr& error) noexcept
{
    try {
        if (installed()) {
            installed()(error);
            return;
        }
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error in event handling: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "error in event handling\n");
    }
}

} // namespace ui
