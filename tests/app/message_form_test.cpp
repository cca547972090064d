// The Yes/No confirmation box: its answers to the keys and the close box, the
// text it copies, and its layout.
#include "app/desktop_dialogs.h"
#include "app/message_form.h"
#include "app/scripted_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kQuestion = QStringLiteral("Exit the program?");

// Runs the real box for the text and acts on it once it is up; its result.
int askAndAct(const QString& text, std::function<void(TMessageForm&)> act)
{
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
        if (!form)
            return;
        acted = true;
        // Should the action leave the box open, end it rather than hang.
        QTimer::singleShot(5000, form, [form] { form->done(-1); });
        act(*form);
    });
    const int result = DesktopDialogs().askYesNo(text);
    EXPECT_TRUE(acted) << "the box was not the active modal window";
    return result;
}

void press(TMessageForm& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
    QTest::keyClick(target, key, modifiers);
}

// Enter answers Yes (6), Esc No (7), the close box 2; the buttons give their own results.
TEST(AskYesNo, AnswersEnterEscAndTheCloseBox)
{
    EXPECT_EQ(askAndAct(kQuestion, [](TMessageForm& form) { press(form, Qt::Key_Return); }), 6);
    EXPECT_EQ(askAndAct(kQuestion, [](TMessageForm& form) { press(form, Qt::Key_Escape); }), 7);
    EXPECT_EQ(askAndAct(kQuestion, [](TMessageForm& form) { form.close(); }), 2);
    EXPECT_EQ(askAndAct(kQuestion, [](TMessageForm& form) { form.noButton()->click(); }), 7);
    EXPECT_EQ(askAndAct(kQuestion, [](TMessageForm& form) { form.yesButton()->click(); }), 6);
}

// The box is application-modal, captioned "Confirm", with named controls and a fixed size.
TEST(AskYesNo, IsAModalBoxWithNamedControls)
{
    askAndAct(kQuestion, [](TMessageForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Confirm"));
        EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(form.minimumSize(), form.maximumSize());
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Message"))->text(), kQuestion);
        EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("Yes"))->text(), QStringLiteral("&Yes"));
        EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("No"))->text(), QStringLiteral("&No"));
        EXPECT_TRUE(form.yesButton()->isDefault());
        EXPECT_FALSE(form.iconLabel()->pixmap().isNull());
        form.close();
    });
}

// Ctrl+C beeps once and copies the box as framed text; the box stays up.
TEST(AskYesNo, CtrlCCopiesTheBoxAndBeeps)
{
    ScriptedDialogs recorder;
    UserDialogsOverride installed(recorder);
    QGuiApplication::clipboard()->clear();
    const QString rule = QStringLiteral("---------------------------\r\n");
    const QString expected = rule + "Confirm\r\n" + rule + kQuestion + "\r\n" + rule + "Yes   No   \r\n" + rule;
    const int result = askAndAct(kQuestion, [&](TMessageForm& form) {
        press(form, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
        EXPECT_EQ(recorder.beeps(), 1);
        EXPECT_TRUE(form.isVisible());
        press(form, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(recorder.beeps(), 1) << "only Ctrl with no other modifier copies";
        press(form, Qt::Key_Return);
    });
    EXPECT_EQ(result, 6);
}

// The layout follows the dialog-unit rules of the message font.
TEST(AskYesNo, LayoutFollowsTheDialogUnitRules)
{
    const QFontMetrics metrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    const int w = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"))
        / 52;
    const int h = metrics.height();
    const auto units = [](int n, int base, int d) { return static_cast<int>(std::lround(double(n) * base / d)); };
    const int marginX = units(8, w, 4), marginY = units(8, h, 8), spacingX = units(10, w, 4),
              spacingY = units(10, h, 8);
    const int buttonWidth = std::max({units(50, w, 4), metrics.horizontalAdvance(QStringLiteral("Yes")) + 8,
                                      metrics.horizontalAdvance(QStringLiteral("No")) + 8});
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    for (const QString& text : {kQuestion, QStringLiteral("Words enough to need wrapping ").repeated(12),
                                QStringLiteral("Line one\nLine two\nLine three\nLine four"), QStringLiteral("?")}) {
        TMessageForm form(text);
        const QRect client = form.rect();
        const QRect icon = form.iconLabel()->geometry();
        const QRect message = form.messageLabel()->geometry();
        const QRect yes = form.yesButton()->geometry();
        const QRect no = form.noButton()->geometry();
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(icon, QRect(marginX, marginY, 32, 32));
        EXPECT_EQ(message.topLeft(), QPoint(marginX + 32 + spacingX, marginY));
        EXPECT_LE(message.width(), screen.width() / 2);
        EXPECT_GE(message.height(), h * (int(text.count('\n')) + 1));
        if (text.size() > 200) {
            EXPECT_GT(message.height(), 2 * h) << "a long text wraps into several lines";
        }
        EXPECT_EQ(yes.top(), std::max(message.height(), 32) + marginY + spacingY);
        EXPECT_EQ(yes.size(), QSize(buttonWidth, units(14, h, 8)));
        EXPECT_EQ(no.size(), yes.size());
        EXPECT_EQ(no.top(), yes.top());
        EXPECT_EQ(no.left(), yes.right() + 1 + units(4, w, 4));
        EXPECT_LE(std::abs(yes.left() - (client.width() - 1 - no.right())), 1) << "the row is centred";
        EXPECT_EQ(client.height(), yes.bottom() + 1 + marginY);
        const int group = 2 * buttonWidth + units(4, w, 4);
        EXPECT_EQ(client.width(), std::max(message.right() + 1 - marginX, group) + 2 * marginX);
        for (const QRect& part : {icon, message, yes, no})
            EXPECT_TRUE(client.contains(part));
        EXPECT_EQ(form.pos(), QPoint((screen.width() - form.width()) / 2, (screen.height() - form.height()) / 2));
    }
}

} // namespace
