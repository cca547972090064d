#include "platform/ui/check_box.h"

#include "platform/ui/event_guard.h"
#include "platform/ui/layout_value.h"

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent), TControl(this)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QCheckBox::toggled, this, [this] {
        if (OnClick)
            ui::guarded([this] { OnClick(this); });
    });
}

TCheckBox::~TCheckBox() = default;

bool TCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

bool TCheckBox::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        setText(value.asString());
    else if (name == QLatin1String("Checked"))
        setChecked(value.asBool());
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
