#include "platform/ui/custom_control.h"

#include "platform/ui/event_guard.h"
#include "platform/ui/layout_value.h"

TCustomControl::TCustomControl(QWidget* parent) : QWidget(parent), TControl(this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

TCustomControl::~TCustomControl() = default;

HWND TCustomControl::Handle() { return windowhandle::handleOf(this); }

void TCustomControl::setTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }

bool TCustomControl::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("TabStop")) {
        setTabStop(value.asBool());
        return true;
    }
    return TControl::setLayoutProperty(name, value);
}

void TCustomControl::WndProc(const TMessage&) {}

bool TCustomControl::event(QEvent* event)
{
    if (event->type() == TMessageEvent::eventType()) {
        ui::guarded([&] { WndProc(static_cast<TMessageEvent*>(event)->message()); });
        return true;
    }
    return QWidget::event(event);
}
