#include "platform/ui/tooltips.h"

#include "platform/ui/control.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace {

// Shown after the pointer rests this long...
constexpr int kHintPause = 500;
// ...or at once when it moves on to another control while a tooltip is up.
constexpr int kHintShortPause = 0;
// How long a tooltip stays up.
constexpr int kHintHidePause = 2500;

class HintTimingStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        // Asked each time the pointer moves, so it can depend on the tooltip
        // showing now; the toolkit's own quick path, which stays open for a
        // while after a tooltip went away, is not used.
        if (hint == SH_ToolTip_WakeUpDelay)
            return QToolTip::isVisible() ? kHintShortPause : kHintPause;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The toolkit's own hiding at a key takes a moment, and on this host it
// leaves the tooltip up while keys are typed: its window is closed instead.
void hideNow()
{
    if (!QToolTip::isVisible())
        return;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->inherits("QTipLabel"))
            widget->close();
}

void showFor(const QPoint& globalPos)
{
    QWidget* under = QApplication::widgetAt(globalPos);
    for (QWidget* w = under; w; w = w->parentWidget()) {
        TControl* control = TControl::of(w);
        if (!control || !control->ShowHint())
            continue;
        const QString text = control->Hint.section(QLatin1Char('|'), 0, 0);
        if (text.isEmpty())
            break;
        QToolTip::showText(globalPos, text, w, QRect(), kHintHidePause);
        return;
    }
    QToolTip::hideText();
}

} // namespace

namespace tooltips {

QStyle* newTimingStyle() { return new HintTimingStyle; }

void notice(const QEvent& event)
{
    if (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease)
        hideNow();
}

void answer(const QHelpEvent& event)
{
    // Any of the program's windows may be the active one, not only the asking one.
    if (!QApplication::activeWindow()) {
        QToolTip::hideText();
        return;
    }
    showFor(event.globalPos());
}

} // namespace tooltips
