#include "tests/support/message_receiver.h"

MessageReceiver::~MessageReceiver() { windowhandle::release(this); }

bool MessageReceiver::event(QEvent* e)
{
    if (e->type() == TMessageEvent::eventType()) {
        received.push_back(static_cast<TMessageEvent*>(e)->message());
        return true;
    }
    return QWidget::event(e);
}
