// The tooltips unit with the timing the application installs (the test
// program's frame is the program's own): when a tooltip comes, how long it
// stays, and what puts it away.
#include "platform/ui/form.h"
#include "platform/ui/speed_button.h"

#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

QByteArray twoHintedButtonsLayout()
{
    return "object fmTest: TForm\n"
           "  Width = 300\n  Height = 200\n"
           "  object First: TSpeedButton\n    Left = 10\n    Top = 10\n    Width = 40\n    Height = 40\n"
           "    Hint = 'one'\n    ShowHint = True\n  end\n"
           "  object Second: TSpeedButton\n    Left = 90\n    Top = 10\n    Width = 40\n    Height = 40\n"
           "    Hint = 'two'\n    ShowHint = True\n  end\n"
           "end\n";
}

} // namespace

// While a tooltip is up, the pointer moving on to another control with a hint
// brings that control's tooltip at once; a key puts the tooltip away at once,
// and the next one then needs the full resting pause again. The toolkit fires timers in
// the order they fall due, so a marker timer of half that pause, started with
// the move, tells the two apart however slowly the machine runs.
TEST(Tooltips, NextTooltipComesAtOnceOnlyWhileOneIsShowing)
{
    TForm form(TForm::LayoutText{twoHintedButtonsLayout()});
    auto& first = form.component<TSpeedButton>("First");
    auto& second = form.component<TSpeedButton>("Second");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    constexpr int kPatienceMs = 5000; // only keeps a broken build from hanging
    auto tipShows = [](const char* text) {
        return QTest::qWaitFor([&] { return QToolTip::isVisible() && QToolTip::text() == QLatin1String(text); },
                               kPatienceMs);
    };
    // The tooltip showing when a timer of half the resting pause, started now, fires.
    auto tipAtHalfPause = [&] {
        constexpr int kMarkerMs = 250;
        bool marked = false;
        QString tip;
        QTimer::singleShot(kMarkerMs, &form, [&] {
            marked = true;
            tip = QToolTip::isVisible() ? QToolTip::text() : QString();
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return marked; }, kPatienceMs));
        return tip;
    };

    // From a spot without a hint, so that each move really moves the pointer.
    QTest::mouseMove(&form, QPoint(5, form.height() - 5));
    QTest::mouseMove(&form, first.geometry().center());
    ASSERT_TRUE(tipShows("one"));
    QTest::mouseMove(&form, second.geometry().center());
    EXPECT_EQ(tipAtHalfPause(), QStringLiteral("two"));

    QTest::keyClick(&form, Qt::Key_A);
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::mouseMove(&form, first.geometry().center());
    EXPECT_EQ(tipAtHalfPause(), QString());
    EXPECT_TRUE(tipShows("one"));
    QToolTip::hideText();
}

// A tooltip stays up two and a half seconds, then goes by itself. Two marker
// timers on either side of that pause, started once the tooltip is seen,
// fire in their order with the tooltip's own however slowly the machine runs;
// they are precise, while the tooltip's may fall due up to 5 % early or late.
TEST(Tooltips, StaysUpItsPauseThenGoes)
{
    TForm form(TForm::LayoutText{twoHintedButtonsLayout()});
    auto& first = form.component<TSpeedButton>("First");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    constexpr int kPatienceMs = 5000; // only keeps a broken build from hanging
    QTest::mouseMove(&form, QPoint(5, form.height() - 5));
    QTest::mouseMove(&form, first.geometry().center());
    ASSERT_TRUE(
        QTest::qWaitFor([] { return QToolTip::isVisible() && QToolTip::text() == QLatin1String("one"); }, kPatienceMs));

    constexpr int kStillUpMs = 2000;
    constexpr int kGoneByMs = 3000;
    bool upAtStill = false, upAtGone = true, done = false;
    QTimer::singleShot(kStillUpMs, Qt::PreciseTimer, &form, [&] { upAtStill = QToolTip::isVisible(); });
    QTimer::singleShot(kGoneByMs, Qt::PreciseTimer, &form, [&] {
        upAtGone = QToolTip::isVisible();
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, kGoneByMs + kPatienceMs));
    EXPECT_TRUE(upAtStill);
    EXPECT_FALSE(upAtGone);
    QToolTip::hideText();
}
