#include "platform/ui/mouse_capture.h"

#include <QCoreApplication>
#include <QMouseEvent>

void MouseCapture::notice(QObject* receiver, const QEvent& event)
{
    // Only the toolkit's own deliveries to the widget under the pointer: the
    // one whose press holds the mouse until the button is let go.
    if (!event.spontaneous() || !receiver->isWidgetType())
        return;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_widget = static_cast<QWidget*>(receiver);
        m_button = static_cast<const QMouseEvent&>(event).button();
        break;
    case QEvent::MouseButtonRelease:
        // Cleared before the release is handled: a handler that fails on it
        // has nothing left to cancel.
        if (static_cast<const QMouseEvent&>(event).buttons() == Qt::NoButton)
            m_widget = nullptr;
        break;
    default: break;
    }
}

void MouseCapture::cancel()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    const QPointer<QWidget> target = m_widget;
    m_widget = nullptr;
    if (!target)
        return;
    // The pointer leaves the control with the button held and is let go
    // outside it: a pressed control comes up without acting on the press.
    const QPointF outside(-1, -1);
    const QPointF global = target->mapToGlobal(outside);
    QMouseEvent away(QEvent::MouseMove, outside, global, Qt::NoButton, m_button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &away);
    if (!target)
        return;
    QMouseEvent letGo(QEvent::MouseButtonRelease, outside, global, m_button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &letGo);
}
