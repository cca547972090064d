// Remembers the widget that a mouse button went down on and has not yet been
// let go over, so that an error striking in between can cancel the press: the
// pointer leaves the widget with the button held and is let go outside it, and
// a pressed control comes up without acting on the press. The application
// frame shows it every event before delivery and cancels when an error ends
// an event; it owns no widget and outlives none.
#pragma once

#include <QPointer>
#include <QWidget>

class QEvent;
class QObject;

class MouseCapture {
public:
    // Follows the toolkit's own button presses and releases at widgets.
    void notice(QObject* receiver, const QEvent& event);
    // Releases the toolkit's mouse grab and lets go of the held button outside its widget.
    void cancel();

private:
    // The widget a mouse button was pressed on and not yet released, and that button.
    QPointer<QWidget> m_widget;
    Qt::MouseButton m_button = Qt::NoButton;
};
