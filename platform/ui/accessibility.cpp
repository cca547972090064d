#include "platform/ui/accessibility.h"

#include "platform/ui/bevel.h"
#include "platform/ui/custom_control.h"
#include "platform/ui/image.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"

#include <QAccessibleWidget>

namespace {

class KitControlAccessible : public QAccessibleWidget {
public:
    KitControlAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return accessibleNameOf(widget());
        if (t == QAccessible::Description)
            if (const TControl* control = TControl::of(widget()))
                return control->Hint.section(QLatin1Char('|'), 1);
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* kitFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (qobject_cast<TSpeedButton*>(widget) || qobject_cast<TCustomControl*>(widget))
        return new KitControlAccessible(widget, QAccessible::Button);
    if (qobject_cast<TPanel*>(widget))
        return new KitControlAccessible(widget, QAccessible::Pane);
    if (qobject_cast<TBevel*>(widget))
        return new KitControlAccessible(widget, QAccessible::Separator);
    if (qobject_cast<TImage*>(widget))
        return new KitControlAccessible(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

QString accessibleNameOf(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const TControl* control = TControl::of(widget);
    if (!control)
        return {};
    if (auto* button = qobject_cast<TSpeedButton*>(widget); button && !button->Caption.isEmpty())
        return button->Caption;
    if (auto* panel = qobject_cast<TPanel*>(widget); panel && !panel->Caption.isEmpty())
        return panel->Caption;
    const QString hint = control->Hint.section(QLatin1Char('|'), 0, 0);
    return hint.isEmpty() ? control->Name : hint;
}

void installAccessibility() { QAccessible::installFactory(kitFactory); }
