#include "platform/messages/window_handle.h"

#include <QCoreApplication>
#include <QPointer>
#include <map>
#include <mutex>

namespace {

struct HandleTable {
    std::mutex mutex;
    std::map<HWND, QPointer<QObject>> objects;
    std::map<QObject*, HWND> handles;
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

HWND handleOf(QObject* object)
{
    if (!object)
        return 0;
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (auto found = t.handles.find(object); found != t.handles.end())
        return found->second;
    const HWND handle = t.next++;
    t.handles[object] = handle;
    t.objects[handle] = object;
    return handle;
}

void release(QObject* object)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (auto found = t.handles.find(object); found != t.handles.end()) {
        t.objects.erase(found->second);
        t.handles.erase(found);
    }
}

bool postMessage(HWND handle, const TMessage& message)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto found = t.objects.find(handle);
    if (found == t.objects.end() || found->second.isNull())
        return false;
    // postEvent is thread-safe; the lock keeps the object from being released
    // between the look-up and the post, and Qt discards events of a deleted object.
    QCoreApplication::postEvent(found->second.data(), new TMessageEvent(message));
    return true;
}

} // namespace windowhandle
