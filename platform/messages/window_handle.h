// Window handles: small integers that stand for a live object (a control of
// the kit), so that code on another thread (the audio thread of the media
// layer) can post a message to a control without holding a pointer to it. A
// message posted to a handle whose object is gone is dropped. Posting never
// delivers synchronously. Qt Core only, so that the media layer can post
// without knowing the control kit.
#pragma once

#include <QEvent>
#include <cstdint>

class QObject;

using HWND = std::uintptr_t;

// A message as the control kit delivers it: number and two parameters.
struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
};

// The Qt event that carries a posted message to its object.
class TMessageEvent : public QEvent {
public:
    static QEvent::Type eventType();
    explicit TMessageEvent(const TMessage& message) : QEvent(eventType()), m_message(message) {}
    const TMessage& message() const { return m_message; }

private:
    TMessage m_message;
};

namespace windowhandle {

// The handle of an object, created on first demand; 0 for none.
HWND handleOf(QObject* object);
// Forgets the handle (called when the object is destroyed).
void release(QObject* object);
// Posts the message to the object behind the handle; thread-safe. The object
// receives it as a TMessageEvent on the user-interface thread. False when the
// handle names no live object.
bool postMessage(HWND handle, const TMessage& message);

} // namespace windowhandle
