// The window's own stored properties: caption, outer size and place, the
// Position rule, the design density and the control that starts active.
#include "platform/ui/form.h"

#include "platform/exception/exception.h"
#include "platform/ui/layout_value.h"

#include <utility>

namespace {

TPosition positionByName(const QString& name)
{
    static const std::pair<const char*, TPosition> table[] = {
        {"poDesigned", TPosition::poDesigned},
        {"poScreenCenter", TPosition::poScreenCenter},
        {"poMainFormCenter", TPosition::poMainFormCenter},
        {"poOwnerFormCenter", TPosition::poOwnerFormCenter},
    };
    for (const auto& [text, position] : table)
        if (name == QLatin1String(text))
            return position;
    throw EReadError("Invalid property value: " + name.toStdString());
}

} // namespace

bool TForm::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    if (name == QLatin1String("Caption"))
        setWindowTitle(value.asString());
    else if (name == QLatin1String("Width"))
        resize(value.asInt() - 2 * kFrameSide, height());
    else if (name == QLatin1String("Height"))
        resize(width(), value.asInt() - kFrameTop - kFrameSide);
    else if (name == QLatin1String("Left"))
        move(value.asInt(), y());
    else if (name == QLatin1String("Top"))
        move(x(), value.asInt());
    else if (name == QLatin1String("Position"))
        Position = positionByName(value.asIdentifier());
    else if (name == QLatin1String("PixelsPerInch"))
        PixelsPerInch = value.asInt();
    else if (name == QLatin1String("TextHeight"))
        TextHeight = value.asInt();
    else if (name == QLatin1String("KeyPreview")) {
        if (value.asBool())
            throw EReadError("Invalid property value: KeyPreview");
    } else if (name == QLatin1String("ActiveControl")) {
        // Resolved once the controls exist.
        m_pendingActive = value.asIdentifier();
    } else
        return TControl::setLayoutProperty(name, value);
    return true;
}

void TForm::loaded()
{
    if (m_pendingActive.isEmpty())
        return;
    TControl* control = dynamic_cast<TControl*>(FindComponent(m_pendingActive));
    if (!control)
        throw EReadError("Invalid property value: ActiveControl " + m_pendingActive.toStdString());
    setActiveControl(control->widget());
}
