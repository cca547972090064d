#include "platform/ui/edit.h"

#include "platform/ui/layout_value.h"

#include <QFontMetrics>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), TControl(this) { setFocusPolicy(Qt::StrongFocus); }

TEdit::~TEdit() = default;

bool TEdit::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("ReadOnly"))
        setReadOnly(value.asBool());
    else if (name == QLatin1String("Text"))
        setText(value.asString());
    else if (name == QLatin1String("AutoSize"))
        AutoSize = value.asBool();
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}

void TEdit::loaded()
{
    if (AutoSize)
        SetBounds(Left(), Top(), Width(), QFontMetrics(Font().toQFont()).height() + AutoSizeExtra);
}

void TEdit::colorChanged()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, Color());
    setPalette(p);
}
