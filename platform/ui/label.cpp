#include "platform/ui/label.h"

#include "platform/ui/layout_value.h"

#include <QFontMetrics>

TLabel::TLabel(QWidget* parent) : QLabel(parent), TControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

TLabel::~TLabel() = default;

void TLabel::setCaption(const QString& caption)
{
    setText(caption);
    fitToText();
}

void TLabel::fitToText()
{
    if (!AutoSize)
        return;
    const QFontMetrics metrics(Font().toQFont());
    SetBounds(Left(), Top(), metrics.horizontalAdvance(text()), metrics.height());
}

void TLabel::fontChanged()
{
    TControl::fontChanged();
    fitToText();
}

void TLabel::loaded() { fitToText(); }

bool TLabel::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        setCaption(value.asString());
    else if (name == QLatin1String("AutoSize"))
        AutoSize = value.asBool();
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
