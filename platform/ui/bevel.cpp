#include "platform/ui/bevel.h"

#include "platform/exception/exception.h"
#include "platform/ui/colors.h"
#include "platform/ui/layout_value.h"

#include <QPainter>

TBevel::TBevel(QWidget* parent) : QWidget(parent), TControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TBevel::~TBevel() = default;

void TBevel::paintEvent(QPaintEvent*)
{
    // An etched box: one rectangle in the first colour, a second one offset by
    // a pixel in the other colour.
    QPainter painter(this);
    const QColor first = Lowered ? colors::btnShadow() : colors::btnHighlight();
    const QColor second = Lowered ? colors::btnHighlight() : colors::btnShadow();
    const int w = width(), h = height();
    painter.setPen(second);
    painter.drawRect(1, 1, w - 2, h - 2);
    painter.setPen(first);
    painter.drawRect(0, 0, w - 2, h - 2);
}

bool TBevel::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Shape")) {
        if (value.asIdentifier() != QLatin1String("bsBox"))
            throw EReadError("Invalid property value: " + value.asIdentifier().toStdString());
    } else if (name == QLatin1String("Style")) {
        const QString style = value.asIdentifier();
        if (style != QLatin1String("bsLowered") && style != QLatin1String("bsRaised"))
            throw EReadError("Invalid property value: " + style.toStdString());
        Lowered = style == QLatin1String("bsLowered");
    } else
        return TControl::setLayoutProperty(name, value);
    return true;
}
