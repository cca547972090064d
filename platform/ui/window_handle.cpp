#include "platform/ui/window_handle.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <map>
#include <mutex>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::map<HWND, QPointer<QWidget>> widgets;
    std::map<QWidget*, HWND> handles;
    HWND next = 1;
};

HandleTable& table()
{
    static HandleTable instance;
    return instance;
}

} // namespace

QEvent::Type TMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

namespace windowhandle {

HWND handleOf(QWidget* widget)
{
    if (!widget)
        return 0;
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (auto found = t.handles.find(widget); found != t.handles.end())
        return found->second;
    const HWND handle = t.next++;
    t.handles[widget] = handle;
    t.widgets[handle] = widget;
    return handle;
}

void release(QWidget* widget)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (auto found = t.handles.find(widget); found != t.handles.end()) {
        t.widgets.erase(found->second);
        t.handles.erase(found);
    }
}

bool postMessage(HWND handle, const TMessage& message)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto found = t.widgets.find(handle);
    if (found == t.widgets.end() || found->second.isNull())
        return false;
    // postEvent is thread-safe; the lock keeps the widget from being released
    // between the look-up and the post, and Qt discards events of a deleted object.
    QCoreApplication::postEvent(found->second.data(), new TMessageEvent(message));
    return true;
}

} // namespace windowhandle
