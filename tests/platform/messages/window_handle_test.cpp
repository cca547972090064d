#include "platform/messages/window_handle.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Receiver : public QWidget {
public:
    std::vector<TMessage> received;
    ~Receiver() override { windowhandle::release(this); }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == TMessageEvent::eventType()) {
            received.push_back(static_cast<TMessageEvent*>(e)->message());
            return true;
        }
        return QWidget::event(e);
    }
};

} // namespace

// A posted message arrives later, on the event loop, never during the post.
TEST(WindowHandle, PostedMessageArrivesOnlyThroughTheEventLoop)
{
    Receiver receiver;
    const HWND handle = windowhandle::handleOf(&receiver);
    ASSERT_NE(handle, 0u);
    EXPECT_EQ(windowhandle::handleOf(&receiver), handle);
    ASSERT_TRUE(windowhandle::postMessage(handle, {0x3B9, 1, 7}));
    EXPECT_TRUE(receiver.received.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(receiver.received.size(), 1u);
    EXPECT_EQ(receiver.received[0].Msg, 0x3B9u);
    EXPECT_EQ(receiver.received[0].WParam, 1u);
    EXPECT_EQ(receiver.received[0].LParam, 7);
}

// Handles of destroyed widgets are never reused and posting to them fails quietly.
TEST(WindowHandle, HandleOfDestroyedWidgetIsDead)
{
    auto receiver = std::make_unique<Receiver>();
    const HWND handle = windowhandle::handleOf(receiver.get());
    receiver.reset();
    EXPECT_FALSE(windowhandle::postMessage(handle, {1, 0, 0}));
    Receiver other;
    EXPECT_NE(windowhandle::handleOf(&other), handle);
}
