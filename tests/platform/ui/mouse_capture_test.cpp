// The held mouse button that an error cancels: it is let go outside the
// widget it went down on, with that button, and nothing is sent once it was
// let go or the widget is gone.
#include "platform/ui/mouse_capture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct SeenMouse {
    QEvent::Type type;
    QPointF pos;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
};

// A widget that keeps every mouse event it receives.
class MouseLog : public QWidget {
public:
    std::vector<SeenMouse> seen;

protected:
    void mousePressEvent(QMouseEvent* event) override { keep(*event); }
    void mouseMoveEvent(QMouseEvent* event) override { keep(*event); }
    void mouseReleaseEvent(QMouseEvent* event) override { keep(*event); }

private:
    void keep(const QMouseEvent& event)
    {
        seen.push_back({event.type(), event.position(), event.button(), event.buttons()});
    }
};

// Lets the capture see every event the application delivers, as the frame does.
class CaptureWatch : public QObject {
public:
    MouseCapture capture;
    CaptureWatch() { qApp->installEventFilter(this); }
    ~CaptureWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        capture.notice(receiver, *event);
        return false;
    }
};

std::unique_ptr<MouseLog> shownLog()
{
    auto log = std::make_unique<MouseLog>();
    log->resize(60, 40);
    log->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(log.get()));
    return log;
}

} // namespace

// A held right button is let go at a point outside the widget, after the
// pointer has left it with the button down; only once.
TEST(MouseCapture, CancelLetsGoOfTheHeldButtonOutsideItsWidget)
{
    CaptureWatch watch;
    auto log = shownLog();
    QTest::mousePress(log.get(), Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
    ASSERT_EQ(log->seen.size(), 1u);

    watch.capture.cancel();
    ASSERT_EQ(log->seen.size(), 3u);
    const SeenMouse& away = log->seen[1];
    EXPECT_EQ(away.type, QEvent::MouseMove);
    EXPECT_EQ(away.pos, QPointF(-1, -1));
    EXPECT_EQ(away.buttons, Qt::MouseButtons(Qt::RightButton));
    const SeenMouse& letGo = log->seen[2];
    EXPECT_EQ(letGo.type, QEvent::MouseButtonRelease);
    EXPECT_EQ(letGo.pos, QPointF(-1, -1));
    EXPECT_EQ(letGo.button, Qt::RightButton);
    EXPECT_EQ(letGo.buttons, Qt::MouseButtons(Qt::NoButton));

    watch.capture.cancel(); // already let go
    EXPECT_EQ(log->seen.size(), 3u);
    // The test tool remembers the buttons it pressed for the tests after this one.
    QTest::mouseRelease(log.get(), Qt::RightButton, Qt::NoModifier, QPoint(30, 20));
}

// Nothing to cancel after the button was let go, nor after its widget was
// destroyed with the button still down.
TEST(MouseCapture, NothingToCancelOnceLetGoOrGone)
{
    CaptureWatch watch;
    auto log = shownLog();
    QTest::mousePress(log.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(log.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(log->seen.size(), 2u);
    watch.capture.cancel();
    EXPECT_EQ(log->seen.size(), 2u);

    auto doomed = shownLog();
    QTest::mousePress(doomed.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ASSERT_EQ(doomed->seen.size(), 1u);
    doomed.reset();
    watch.capture.cancel(); // must not reach the destroyed widget
    EXPECT_EQ(log->seen.size(), 2u);
    // The test tool remembers the buttons it pressed for the tests after this one.
    QTest::mouseRelease(log.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
}
