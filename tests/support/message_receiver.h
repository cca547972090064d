// A widget that collects the messages posted to its window handle, in the
// order the event loop delivers them, so that a test can see what another
// part (or another thread) posted and when it arrived. It only records;
// running the event loop is the test's business.
#pragma once

#include "platform/messages/window_handle.h"

#include <QWidget>
#include <vector>

class MessageReceiver : public QWidget {
public:
    ~MessageReceiver() override;
    // Every message delivered so far, oldest first.
    std::vector<TMessage> received;

protected:
    bool event(QEvent* e) override;
};
