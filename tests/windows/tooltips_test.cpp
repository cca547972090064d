#include "tests/windows/program_windows.h"

#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Raises the tooltip event that the pointer resting at `pos` (window
// coordinates) raises, at the widget under it, as the toolkit does.
void restPointerAt(TForm& form, QPoint pos)
{
    QWidget* target = form.childAt(pos);
    if (!target)
        target = &form;
    QHelpEvent event(QEvent::ToolTip, target->mapFrom(&form, pos), form.mapToGlobal(pos));
    QApplication::sendEvent(target, &event);
}

QPoint centreOf(const QWidget& widget) { return posInWindow(widget) + widget.rect().center(); }

// The toolkit's own wait macros do not report to this test framework; this wait does.
bool tooltipGone()
{
    constexpr int kPatienceMs = 5000; // only keeps a broken build from hanging
    return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, kPatienceMs);
}

void hideTooltip()
{
    QToolTip::hideText();
    ASSERT_TRUE(tooltipGone());
}

// The tooltip's own window, when one is up.
QWidget* tooltipWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

// Exactly sbHelp, SpeedButton1, SpeedButton3 and btnDir show their texts.
TEST(Tooltips, ShownForExactlyFourButtons)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;
    const std::pair<QWidget*, const char*> owners[] = {
        {main.sbHelp, "Информация о программе"},
        {main.SpeedButton1, "Помощь"},
        {main.SpeedButton3, "Welcome страничка"},
        {main.btnDir, "Сменить папку с данными"},
    };
    for (const auto& [widget, text] : owners) {
        hideTooltip();
        restPointerAt(main, centreOf(*widget));
        EXPECT_TRUE(QToolTip::isVisible()) << text;
        EXPECT_EQ(QToolTip::text(), QString::fromUtf8(text));
    }
    // The part of btnDir that the folder field covers belongs to the field.
    hideTooltip();
    restPointerAt(main, posInWindow(*main.btnDir) + QPoint(23, 12));
    EXPECT_FALSE(QToolTip::isVisible());
}

// No tooltip over the folder field, the repeat control, the Exit button, the text or the picture.
TEST(Tooltips, NoneElsewhere)
{
    ProgramWindows windows;
    windows.showMain();
    TfmMain& main = windows.main;
    for (QWidget* widget : std::initializer_list<QWidget*>{main.eDataFolder, main.MediaPlayer1, main.SpeedButton2,
                                                           main.Memo1, main.Image1, main.cbSound, main.Panel2}) {
        hideTooltip();
        restPointerAt(main, widget == main.Panel2 ? posInWindow(*main.Panel2) + QPoint(90, 38) : centreOf(*widget));
        EXPECT_FALSE(QToolTip::isVisible()) << TControl::of(widget)->Name.toStdString();
    }
    // Resting on eDataFolder right after a tooltip was up removes it.
    restPointerAt(main, centreOf(*main.sbHelp));
    ASSERT_TRUE(QToolTip::isVisible());
    restPointerAt(main, centreOf(*main.eDataFolder));
    EXPECT_TRUE(tooltipGone());
}

// Tooltips show while any of the program's windows is active, and never otherwise.
TEST(Tooltips, OnlyWhileAProgramWindowIsActive)
{
    ProgramWindows windows;
    windows.showMain();
    windows.about.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&windows.about));
    hideTooltip();
    restPointerAt(windows.main, centreOf(*windows.main.sbHelp));
    EXPECT_TRUE(QToolTip::isVisible());
    hideTooltip();

    QWindow stranger; // another program's window takes the activation
    stranger.resize(50, 50);
    stranger.show();
    stranger.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&stranger));
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    restPointerAt(windows.main, centreOf(*windows.main.sbHelp));
    EXPECT_FALSE(QToolTip::isVisible());
}

// The tooltip is a window of its own below the pointer that shows the text on the tooltip colour.
TEST(Tooltips, TooltipWindowBelowThePointer)
{
    ProgramWindows windows;
    windows.showMain();
    hideTooltip();
    const QPoint pointer = windows.main.mapToGlobal(centreOf(*windows.main.sbHelp));
    restPointerAt(windows.main, centreOf(*windows.main.sbHelp));
    QWidget* tip = tooltipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_GT(tip->y(), pointer.y());
    EXPECT_LE(std::abs(tip->x() - pointer.x()), 16);
    const QImage shot = grabOf(*tip);
    const QColor base = tip->palette().color(QPalette::ToolTipBase);
    int baseCount = 0, textCount = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            baseCount += c == base;
            textCount += c.lightness() < base.lightness() - 100;
        }
    EXPECT_GT(baseCount, shot.width() * shot.height() / 2);
    EXPECT_GT(textCount, 20); // the text is drawn
    EXPECT_GT(tip->width(), tip->fontMetrics().horizontalAdvance(QString::fromUtf8("Информация о программе")));
}
