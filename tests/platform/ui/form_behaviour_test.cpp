#include "platform/exception/exception.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"

#include <QApplication>
#include <QBuffer>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const char* kFocusLayout = "object f: TForm\n  Width = 400\n  Height = 300\n  ActiveControl = Memo1\n"
                           "  object Bar: TPanel\n    Left = 0\n    Top = 200\n    Width = 392\n    Height = 40\n"
                           "    TabOrder = 1\n"
                           "    object Box: TCheckBox\n      Left = 5\n      Top = 5\n      Width = 80\n"
                           "      Height = 20\n      Caption = 'Sound'\n      TabOrder = 0\n    end\n"
                           "    object Field: TEdit\n      Left = 100\n      Top = 5\n      Width = 100\n"
                           "      Height = 20\n      ReadOnly = True\n      TabOrder = 1\n    end\n"
                           "  end\n"
                           "  object Area: TPanel\n    Left = 0\n    Top = 0\n    Width = 392\n    Height = 200\n"
                           "    TabOrder = 0\n"
                           "    object Memo1: TMemo\n      Left = 5\n      Top = 5\n      Width = 200\n"
                           "      Height = 80\n      ReadOnly = True\n      TabOrder = 0\n    end\n"
                           "  end\n"
                           "end\n";

struct ShownForm {
    TForm form{TForm::LayoutText{kFocusLayout}};
    ShownForm()
    {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

} // namespace

// Tab follows the containers' tab orders depth first, and OnEnter fires for
// each control the focus enters, outermost first.
TEST(FormBehaviour, TabOrderAndEnterEvents)
{
    ShownForm shown;
    TForm& form = shown.form;
    auto& memo = form.component<TMemo>("Memo1");
    auto& box = form.component<TCheckBox>("Box");
    auto& field = form.component<TEdit>("Field");
    std::vector<QString> entered;
    for (const char* name : {"Bar", "Area", "Box", "Field", "Memo1"})
        form.component<TControl>(name).OnEnter = [&](TControl* c) { entered.push_back(c->Name); };
    EXPECT_EQ(QApplication::focusWidget(), &memo);
    QTest::keyClick(&memo, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &box);
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &field);
    QTest::keyClick(&field, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &memo);
    EXPECT_EQ(entered, (std::vector<QString>{"Bar", "Box", "Field", "Area", "Memo1"}));
}

// Typed characters reach the text area's key event as Windows-1251 bytes; a
// character with no such byte arrives as "?", and keys that type nothing (Alt
// shortcuts among them) raise nothing.
TEST(FormBehaviour, KeyPressCarriesWindows1251Bytes)
{
    ShownForm shown;
    auto& memo = shown.form.component<TMemo>("Memo1");
    std::vector<int> keys;
    memo.OnKeyPress = [&](TControl*, std::uint8_t& key) { keys.push_back(key); };
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key(0x0424), QString::fromUtf8("ф"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key(0x0401), QString::fromUtf8("Ё"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_unknown, QString::fromUtf8("€"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_unknown, QString::fromUtf8("字"), Qt::NoModifier);
    QTest::keyClick(&memo, Qt::Key_A);
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClick(&memo, Qt::Key_Left);
    QTest::keyClick(&memo, Qt::Key_Shift);
    // Alt shortcuts type nothing; Ctrl+Alt (a third-level character) does.
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_A, QStringLiteral("a"), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key(0x0424), QString::fromUtf8("ф"),
                        Qt::AltModifier | Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_E, QString::fromUtf8("€"), Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(keys, (std::vector<int>{0xF4, 0xA8, 0x88, '?', 'a', 0x0D, 0x88}));
    EXPECT_EQ(memo.Text(), ""); // read-only: typing changes nothing
}

// The window's own key event fires only while no control holds the focus.
TEST(FormBehaviour, WindowKeyEventOnlyWithoutFocusedControl)
{
    ShownForm shown;
    TForm& form = shown.form;
    int windowKeys = 0;
    form.OnKeyPress = [&](TControl*, std::uint8_t&) { ++windowKeys; };
    auto& box = form.component<TCheckBox>("Box");
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_K);
    EXPECT_EQ(windowKeys, 0);
    QApplication::focusWidget()->clearFocus();
    QTest::keyClick(&form, Qt::Key_K);
    EXPECT_EQ(windowKeys, 1);
}

// A key that reaches a control while its window is not the active one (a box
// has just closed and the activation is still on its way back, or no window
// manager gave it back) raises that control's key event only; the window's
// own event must not take the same key a second time.
TEST(FormBehaviour, KeyToAControlOfAnInactiveWindowIsHandledOnce)
{
    ShownForm shown;
    TForm& form = shown.form;
    auto& memo = form.component<TMemo>("Memo1");
    int memoKeys = 0, windowKeys = 0;
    memo.OnKeyPress = [&](TControl*, std::uint8_t&) { ++memoKeys; };
    form.OnKeyPress = [&](TControl*, std::uint8_t&) { ++windowKeys; };
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    QTest::keyClick(&memo, Qt::Key_K);
    EXPECT_EQ(memoKeys, 1);
    EXPECT_EQ(windowKeys, 0);
}

// The text area holds at most its capacity; a larger text is refused and the old one stays.
TEST(FormBehaviour, MemoCapacityRefusesAndKeepsText)
{
    TMemo memo;
    memo.setText("kept");
    EXPECT_THROW(memo.setText(QString(TMemo::kCapacity + 1, 'x')), EInvalidOperation);
    EXPECT_EQ(memo.Text(), "kept");
    memo.Clear();
    memo.AddLine("Invalid text data!");
    EXPECT_EQ(memo.Lines(), QStringList{"Invalid text data!"});
}

// A speed button's glyph shows its left cell; the bitmap's bottom-left colour is transparent.
TEST(SpeedButton, GlyphCellWithTransparentColour)
{
    // 4 x 2 bitmap: two 2 x 2 cells; olive bottom-left, red and blue pixels.
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(QColor(128, 128, 0));
    bitmap.setPixel(1, 0, qRgb(255, 0, 0));
    bitmap.setPixel(3, 0, qRgb(0, 0, 255));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "BMP");
    QByteArray stream(4, '\0');
    qToLittleEndian<quint32>(bmp.size(), stream.data());
    stream += bmp;

    TSpeedButton button;
    button.resize(25, 25);
    button.setGlyphStream(stream);
    const QImage shot = button.grab().toImage();
    const QPoint origin = button.glyphOrigin(false);
    EXPECT_EQ(origin, QPoint(11, 11)); // (25 - 2) / 2 both ways
    EXPECT_EQ(shot.pixelColor(origin + QPoint(1, 0)), QColor(255, 0, 0));
    EXPECT_NE(shot.pixelColor(origin), QColor(128, 128, 0));
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            ASSERT_NE(shot.pixelColor(x, y), QColor(128, 128, 0)) << x << "," << y;
            ASSERT_NE(shot.pixelColor(x, y), QColor(0, 0, 255)) << x << "," << y;
        }
    EXPECT_THROW(button.setGlyphStream(QByteArray("\x10\0\0\0BM", 6)), EReadError);
}
