#include "platform/ui/bit_btn.h"

#include "platform/ui/event_guard.h"
#include "platform/ui/layout_value.h"

#include <QKeyEvent>

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent), TControl(this)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            ui::guarded([this] { OnClick(this); });
    });
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::keyPressEvent(QKeyEvent* event)
{
    // A focused button is pressed by Enter as well as by Space.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

bool TBitBtn::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        setText(value.asString());
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
