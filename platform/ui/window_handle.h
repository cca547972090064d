// Window handles: small integers that stand for a live widget, so that code on
// another thread (the audio thread of the media layer) can post a message to a
// control without holding a pointer to it. A message posted to a handle whose
// widget is gone is dropped. Posting never delivers synchronously.
#pragma once

#include <QEvent>
#include <cstdint>

class QWidget;

using HWND = std::uintptr_t;

// A message as the control kit delivers it: number and two parameters.
struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
};

// The Qt event that carries a posted message to its widget.
class TMessageEvent : public QEvent {
public:
    static QEvent::Type eventType();
    explicit TMessageEvent(const TMessage& message) : QEvent(eventType()), m_message(message) {}
    const TMessage& message() const { return m_message; }

private:
    TMessage m_message;
};

namespace windowhandle {

// The handle of a widget, created on first demand; 0 for none.
HWND handleOf(QWidget* widget);
// Forgets the handle (called when the widget is destroyed).
void release(QWidget* widget);
// Posts the message to the widget behind the handle; thread-safe. The widget
// receives it as a TMessageEvent on the user-interface thread. False when the
// handle names no live widget.
bool postMessage(HWND handle, const TMessage& message);

} // namespace windowhandle
