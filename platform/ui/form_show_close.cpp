// The window's show and close rules: OnShow before a hidden window shows,
// its place by Position at the first showing only, closing the main window
// quits while closing another only hides it, and the keyboard goes back to
// the main window when one of the others goes away.
#include "platform/ui/form.h"

#include "platform/ui/event_guard.h"
#include "platform/ui/window_group.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {

// The window's outer size: its client area plus the frame a window manager
// drew (this window's, else the main window's), else the frame the stored
// sizes assume.
QSize outerSize(const TForm& form)
{
    auto frameExtra = [](const QWidget& w) { return w.frameGeometry().size() - w.geometry().size(); };
    QSize extra = frameExtra(form);
    if (extra.isNull() && TForm::MainForm())
        extra = frameExtra(*TForm::MainForm());
    if (extra.isNull())
        extra = QSize(2 * TForm::kFrameSide, TForm::kFrameTop + TForm::kFrameSide);
    return form.size() + extra;
}

} // namespace

void TForm::runHandler(const TNotifyEvent& handler)
{
    if (handler)
        ui::guarded([&] { handler(this); });
}

void TForm::Show()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    runHandler(OnShow);
    placeAtFirstShow();
    show();
    raise();
    activateWindow();
}

void TForm::placeAtFirstShow()
{
    if (m_placed)
        return;
    m_placed = true;
    const QSize outer = outerSize(*this);
    TForm* mainForm = MainForm();
    QRect area;
    if (Position == TPosition::poScreenCenter) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect();
    } else if ((Position == TPosition::poMainFormCenter || Position == TPosition::poOwnerFormCenter) && mainForm
               && mainForm != this) {
        area = QRect(mainForm->pos(), outerSize(*mainForm));
    } else
        return;
    // Halves rounded toward zero, no clamping to the screen.
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void TForm::Close() { close(); }

void TForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    window_group::closed(*this);
    if (this == MainForm())
        QCoreApplication::quit();
}

void TForm::setVisible(bool visible)
{
    // A closed Help or About window hands the keyboard back to the main
    // window, as the system does for a program's own windows; without a
    // window manager nobody else would, and keys would reach no control.
    // Asked before hiding: the toolkit forgets the activation as it hides.
    TForm* mainForm = MainForm();
    const bool handBack = !visible && this != mainForm && isActiveWindow() && mainForm && mainForm->isVisible()
        && !mainForm->isMinimized();
    QWidget::setVisible(visible);
    if (handBack)
        mainForm->activateWindow();
}

void TForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && !m_hidingWithGroup)
        runHandler(OnHide);
}

void TForm::hideWithGroup()
{
    m_hidingWithGroup = true;
    hide();
    m_hidingWithGroup = false;
}

void TForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && this == MainForm())
        window_group::mainWindowStateChanged(*this, static_cast<QWindowStateChangeEvent*>(event)->oldState());
}
