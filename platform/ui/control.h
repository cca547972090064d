// What every control of the kit carries beside its Qt widget: its name, its
// stored bounds and alignment, its font and colour (own or taken from the
// parent), its hint settings, tab order, size constraints and the focus-enter
// event. Concrete controls derive from a Qt widget class and from TControl;
// the widget owns the children, TControl only describes them.
#pragma once

#include "platform/ui/component.h"
#include "platform/ui/font.h"

#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QWidget;
struct LayoutValue;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TSizeConstraints {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0; // 0 = no limit
};

class TControl;
using TNotifyEvent = std::function<void(TControl* Sender)>;

class TControl : public TComponent {
public:
    explicit TControl(QWidget* self);
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    QWidget* widget() const { return m_self; }
    // The nearest control of the kit among the widget's parents; null at the top.
    TControl* parentControl() const;

    TAlign Align = TAlign::alNone;
    int TabOrder = 0;
    TSizeConstraints Constraints;
    TNotifyEvent OnEnter;

    // Bounds relative to the parent's top-left corner, within the constraints.
    void SetBounds(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // Hints: the text up to the first "|" is the tooltip.
    QString Hint;
    bool ShowHint() const;
    void setShowHint(bool on);
    bool ParentShowHint() const { return m_parentShowHint; }
    void setParentShowHint(bool on);

    // Font: own, or the parent's while ParentFont is set.
    const TFont& Font() const;
    void assignFont(const TFont& font);
    bool ParentFont() const { return m_parentFont; }
    void setParentFont(bool on);
    // While held, a font change is stored but not applied to the widget; the
    // release applies the font as it then stands, once. The layout reader holds it across a
    // run of font properties, so that no passing mix of the old and the new
    // name, size and style is looked up, applied and measured.
    void holdFontChanges(bool hold);

    // Background colour: own, or the parent's while ParentColor is set.
    QColor Color() const;
    void setColor(const QColor& color);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool on);

    // Applies one stored property; false when this control has no such property.
    bool setLayoutProperty(const QString& name, const LayoutValue& value) override;

    // The kit control of a widget, or null.
    static TControl* of(const QWidget* widget);

protected:
    // Font or colour changed (own or inherited): controls apply it to their widget.
    virtual void fontChanged();
    virtual void colorChanged();

private:
    void propagateToChildren(bool font);
    QWidget* m_self;
    TFont m_font;
    bool m_parentFont = true;
    bool m_fontHeld = false;
    QColor m_color;
    bool m_parentColor = true;
    bool m_showHint = false;
    bool m_parentShowHint = true;
};
