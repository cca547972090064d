#include "platform/messages/window_handle.h"
#include "tests/support/message_receiver.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// A posted message arrives later, on the event loop, never during the post.
TEST(WindowHandle, PostedMessageArrivesOnlyThroughTheEventLoop)
{
    MessageReceiver receiver;
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
    auto receiver = std::make_unique<MessageReceiver>();
    const HWND handle = windowhandle::handleOf(receiver.get());
    receiver.reset();
    EXPECT_FALSE(windowhandle::postMessage(handle, {1, 0, 0}));
    MessageReceiver other;
    EXPECT_NE(windowhandle::handleOf(&other), handle);
}
