// Focus and keys in a window: the active control, the focus-enter events of
// the controls the focus has just entered, the tab order by TabOrder, and the
// window's own key event when no control holds the focus.
#include "platform/ui/form.h"

#include "platform/ui/event_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <functional>

void TForm::setActiveControl(QWidget* control)
{
    if (!control || focusWidget() == control)
        return;
    control->setFocus(Qt::OtherFocusReason);
}

QWidget* TForm::ActiveControl() const { return focusWidget(); }

void TForm::focusChanged(QWidget* old, QWidget* now)
{
    if (!now || now->window() != this)
        return;
    // Every control between the form and the new focus that the focus has just
    // entered, outermost first.
    std::vector<TControl*> entered;
    for (QWidget* w = now; w && w != this; w = w->parentWidget())
        if (!(old && (w == old || w->isAncestorOf(old))))
            if (TControl* control = TControl::of(w))
                entered.push_back(control);
    std::reverse(entered.begin(), entered.end());
    for (TControl* control : entered)
        if (control->OnEnter)
            ui::guarded([&] { control->OnEnter(control); });
}

void TForm::applyTabOrder()
{
    // Depth first through the containers, each container's children by TabOrder.
    std::vector<QWidget*> chain;
    std::function<void(QWidget*)> walk = [&](QWidget* container) {
        std::vector<TControl*> children;
        for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (TControl* control = TControl::of(child))
                children.push_back(control);
        std::stable_sort(children.begin(), children.end(), [](auto* a, auto* b) { return a->TabOrder < b->TabOrder; });
        for (TControl* control : children) {
            if (control->widget()->focusPolicy() & Qt::TabFocus)
                chain.push_back(control->widget());
            walk(control->widget());
        }
    };
    walk(this);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    // The window's own key event fires only when no control of this window
    // holds the focus. The window's own focus is asked, not the application's:
    // while the window is not active the application has no focus widget, and
    // a key that a control has already handled would be taken a second time.
    QWidget* focus = focusWidget();
    if (OnKeyPress && (!focus || focus == this))
        if (auto byte = typedByte(*event)) {
            ui::guarded([&] {
                std::uint8_t key = *byte;
                OnKeyPress(this, key);
            });
            return;
        }
    QWidget::keyPressEvent(event);
}
