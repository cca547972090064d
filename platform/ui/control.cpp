#include "platform/ui/control.h"

#include "platform/exception/exception.h"
#include "platform/messages/window_handle.h"
#include "platform/ui/colors.h"
#include "platform/ui/layout_value.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>

TControl::TControl(QWidget* self) : m_self(self), m_color(colors::btnFace()) {}

TControl::~TControl() { windowhandle::release(m_self); }

TControl* TControl::of(const QWidget* widget)
{
    return widget ? dynamic_cast<TControl*>(const_cast<QWidget*>(widget)) : nullptr;
}

TControl* TControl::parentControl() const
{
    for (QWidget* w = m_self->parentWidget(); w; w = w->parentWidget())
        if (TControl* control = of(w))
            return control;
    return nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const auto clamp = [](int value, int low, int high) {
        if (high > 0)
            value = std::min(value, high);
        return std::max(value, low);
    };
    width = clamp(width, Constraints.MinWidth, Constraints.MaxWidth);
    height = clamp(height, Constraints.MinHeight, Constraints.MaxHeight);
    m_self->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

int TControl::Left() const { return m_self->x(); }
int TControl::Top() const { return m_self->y(); }
int TControl::Width() const { return m_self->width(); }
int TControl::Height() const { return m_self->height(); }

bool TControl::ShowHint() const
{
    if (m_parentShowHint)
        if (const TControl* parent = parentControl())
            return parent->ShowHint();
    return m_showHint;
}

void TControl::setShowHint(bool on)
{
    m_showHint = on;
    m_parentShowHint = false;
}

void TControl::setParentShowHint(bool on) { m_parentShowHint = on; }

const TFont& TControl::Font() const
{
    if (m_parentFont)
        if (const TControl* parent = parentControl())
            return parent->Font();
    return m_font;
}

void TControl::assignFont(const TFont& font)
{
    m_font = font;
    m_parentFont = false;
    if (m_fontHeld)
        return;
    fontChanged();
    propagateToChildren(true);
}

void TControl::holdFontChanges(bool hold)
{
    m_fontHeld = hold;
    if (hold)
        return;
    fontChanged();
    propagateToChildren(true);
}

void TControl::setParentFont(bool on)
{
    if (!on && m_parentFont)
        m_font = Font();
    m_parentFont = on;
    fontChanged();
    propagateToChildren(true);
}

QColor TControl::Color() const
{
    if (m_parentColor)
        if (const TControl* parent = parentControl())
            return parent->Color();
    return m_color;
}

void TControl::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    colorChanged();
    propagateToChildren(false);
}

void TControl::setParentColor(bool on)
{
    m_parentColor = on;
    colorChanged();
    propagateToChildren(false);
}

void TControl::fontChanged()
{
    m_self->setFont(Font().toQFont());
    QPalette palette = m_self->palette();
    palette.setColor(QPalette::WindowText, Font().Color);
    palette.setColor(QPalette::Text, Font().Color);
    palette.setColor(QPalette::ButtonText, Font().Color);
    m_self->setPalette(palette);
}

void TControl::colorChanged()
{
    QPalette palette = m_self->palette();
    palette.setColor(QPalette::Window, Color());
    m_self->setPalette(palette);
    m_self->update();
}

void TControl::propagateToChildren(bool font)
{
    for (QWidget* child : m_self->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        TControl* control = of(child);
        if (!control)
            continue;
        if (font && control->m_parentFont) {
            control->fontChanged();
            control->propagateToChildren(true);
        }
        if (!font && control->m_parentColor) {
            control->colorChanged();
            control->propagateToChildren(false);
        }
    }
}

namespace {

TAlign alignByName(const QString& name)
{
    static const std::pair<const char*, TAlign> table[] = {
        {"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
        {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
    };
    for (const auto& [text, align] : table)
        if (name == QLatin1String(text))
            return align;
    throw EReadError("Invalid property value: " + name.toStdString());
}

QColor colorValue(const LayoutValue& value)
{
    const QString name = value.asIdentifier();
    if (auto color = colors::byName(name))
        return *color;
    throw EReadError("Invalid property value: " + name.toStdString());
}

} // namespace

bool TControl::setLayoutProperty(const QString& name, const LayoutValue& value)
{
    const auto fontWith = [this](auto change) {
        TFont font = Font();
        change(font);
        assignFont(font);
    };
    if (name == QLatin1String("Left"))
        SetBounds(value.asInt(), Top(), Width(), Height());
    else if (name == QLatin1String("Top"))
        SetBounds(Left(), value.asInt(), Width(), Height());
    else if (name == QLatin1String("Width"))
        SetBounds(Left(), Top(), value.asInt(), Height());
    else if (name == QLatin1String("Height"))
        SetBounds(Left(), Top(), Width(), value.asInt());
    else if (name == QLatin1String("Align"))
        Align = alignByName(value.asIdentifier());
    else if (name == QLatin1String("Visible"))
        m_self->setVisible(value.asBool());
    else if (name == QLatin1String("Enabled"))
        m_self->setEnabled(value.asBool());
    else if (name == QLatin1String("TabOrder"))
        TabOrder = value.asInt();
    else if (name == QLatin1String("Hint")) {
        Hint = value.asString();
        // Qt's own widgets (an edit field without a label) are named by their hint.
        m_self->setAccessibleName(Hint.section(QLatin1Char('|'), 0, 0));
    } else if (name == QLatin1String("ShowHint"))
        setShowHint(value.asBool());
    else if (name == QLatin1String("ParentShowHint"))
        setParentShowHint(value.asBool());
    else if (name == QLatin1String("ParentFont"))
        setParentFont(value.asBool());
    else if (name == QLatin1String("ParentColor"))
        setParentColor(value.asBool());
    else if (name == QLatin1String("Color"))
        setColor(colorValue(value));
    else if (name == QLatin1String("Font.Name"))
        fontWith([&](TFont& f) { f.Name = value.asString(); });
    else if (name == QLatin1String("Font.Height"))
        fontWith([&](TFont& f) { f.Height = value.asInt(); });
    else if (name == QLatin1String("Font.Color"))
        fontWith([&](TFont& f) { f.Color = colorValue(value); });
    else if (name == QLatin1String("Font.Style"))
        fontWith([&](TFont& f) {
            f.Bold = f.Italic = f.Underline = false;
            for (const QString& style : value.asSet()) {
                if (style == QLatin1String("fsBold"))
                    f.Bold = true;
                else if (style == QLatin1String("fsItalic"))
                    f.Italic = true;
                else if (style == QLatin1String("fsUnderline"))
                    f.Underline = true;
                else
                    throw EReadError("Invalid property value: " + style.toStdString());
            }
        });
    else if (name == QLatin1String("Constraints.MinWidth"))
        Constraints.MinWidth = value.asInt();
    else if (name == QLatin1String("Constraints.MinHeight"))
        Constraints.MinHeight = value.asInt();
    else if (name == QLatin1String("Constraints.MaxWidth"))
        Constraints.MaxWidth = value.asInt();
    else if (name == QLatin1String("Constraints.MaxHeight"))
        Constraints.MaxHeight = value.asInt();
    else
        return false;
    return true;
}
