#include "platform/ui/panel.h"

#include "platform/exception/exception.h"
#include "platform/ui/alignment.h"
#include "platform/ui/colors.h"
#include "platform/ui/layout_value.h"

#include <QPainter>

TBevelCut bevelCutByName(const QString& name)
{
    if (name == QLatin1String("bvNone"))
        return TBevelCut::bvNone;
    if (name == QLatin1String("bvLowered"))
        return TBevelCut::bvLowered;
    if (name == QLatin1String("bvRaised"))
        return TBevelCut::bvRaised;
    throw EReadError("Invalid property value: " + name.toStdString());
}

namespace {

int bevelInset(TBevelCut cut, int width) { return cut == TBevelCut::bvNone ? 0 : width; }

} // namespace

void drawBevelFrame(QPainter& painter, QRect& rect, TBevelCut cut, int width)
{
    if (cut == TBevelCut::bvNone)
        return;
    const QColor topLeft = cut == TBevelCut::bvRaised ? colors::btnHighlight() : colors::btnShadow();
    const QColor bottomRight = cut == TBevelCut::bvRaised ? colors::btnShadow() : colors::btnHighlight();
    for (int i = 0; i < width; ++i)
        drawEdgeLines(painter, rect, topLeft, bottomRight);
}

void drawEdgeLines(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.fillRect(QRect(l, t, r - l + 1, 1), topLeft);
    painter.fillRect(QRect(l, t, 1, b - t + 1), topLeft);
    painter.fillRect(QRect(l, b, r - l + 1, 1), bottomRight);
    painter.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
    rect.adjust(1, 1, -1, -1);
}

TPanel::TPanel(QWidget* parent) : QWidget(parent), TControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
}

TPanel::~TPanel() = default;

QRect TPanel::clientArea() const
{
    const int inset = bevelInset(BevelOuter, BevelWidth) + BorderWidth + bevelInset(BevelInner, BevelWidth);
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TPanel::realign() { alignControls(this, clientArea()); }

void TPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Color());
    QRect frame = rect();
    drawBevelFrame(painter, frame, BevelOuter, BevelWidth);
    frame.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    drawBevelFrame(painter, frame, BevelInner, BevelWidth);
    if (!Caption.isEmpty())
        painter.drawText(clientArea(), Qt::AlignCenter, Caption);
}

void TPanel::resizeEvent(QResizeEvent*) { realign(); }

bool TPanel::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("BevelOuter"))
        BevelOuter = bevelCutByName(value.asIdentifier());
    else if (name == QLatin1String("BevelInner"))
        BevelInner = bevelCutByName(value.asIdentifier());
    else if (name == QLatin1String("BevelWidth"))
        BevelWidth = value.asInt();
    else if (name == QLatin1String("BorderWidth"))
        BorderWidth = value.asInt();
    else if (name == QLatin1String("Caption"))
        Caption = value.asString();
    else
        return TControl::setLayoutProperty(name, value);
    return true;
}
