#include "platform/ui/edit.h"

#include "platform/ui/layout_value.h"

#include <QFontMetricsF>
#include <cmath>

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

int TEdit::lineHeight(const QFont& font)
{
    // The unrounded ascent plus descent, rounded up, as the layouts' design
    // measured it (15-pixel Times New Roman: 17, not the 16 Qt's whole-pixel metrics give).
    return static_cast<int>(std::ceil(QFontMetricsF(font).height()));
}

void TEdit::loaded()
{
    if (AutoSize)
        SetBounds(Left(), Top(), Width(), lineHeight(Font().toQFont()) + kAutoSizeExtra);
}

void TEdit::colorChanged()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, Color());
    setPalette(p);
}
