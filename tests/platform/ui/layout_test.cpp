#include "platform/exception/exception.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/layout_reader.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace {

layout::Node parseText(const char* text)
{
    return layout::parse(text, [](const QString& path) { return ("bytes of " + path).toUtf8(); });
}

} // namespace

// Every kind of value reads back as written, including quotes, sets, lists and resources.
TEST(LayoutReader, ReadsEveryValueKind)
{
    const auto root = parseText("object fmX: TForm\n"
                                "  Caption = 'It''s Тест'\n"
                                "  Left = -12\n"
                                "  Align = alClient\n"
                                "  Font.Style = [fsBold, fsItalic]\n"
                                "  Lines.Strings = (\n    'one'\n    ''\n    'three ' )\n"
                                "  Picture.Data = resource 'pictures/title.picture'\n"
                                "  // a comment\n"
                                "  object Child: TPanel\n  end\n"
                                "end\n");
    EXPECT_EQ(root.name, "fmX");
    EXPECT_EQ(root.className, "TForm");
    ASSERT_EQ(root.properties.size(), 6u);
    EXPECT_EQ(root.properties[0].second.asString(), QString::fromUtf8("It's Тест"));
    EXPECT_EQ(root.properties[1].second.asInt(), -12);
    EXPECT_EQ(root.properties[2].second.asIdentifier(), "alClient");
    EXPECT_EQ(root.properties[3].second.asSet(), (std::vector<QString>{"fsBold", "fsItalic"}));
    EXPECT_EQ(root.properties[4].second.asList(), (std::vector<QString>{"one", "", "three "}));
    EXPECT_EQ(root.properties[5].second.asBinary(), QByteArray("bytes of pictures/title.picture"));
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].name, "Child");
}

// Text that is not a layout is refused with the line where reading stopped.
TEST(LayoutReader, MalformedTextNamesTheLine)
{
    const char* bad[] = {
        "",
        "object fmX: TForm\n",
        "object fmX TForm\nend\n",
        "object fmX: TForm\n  Caption = 'open\nend\n",
        "object fmX: TForm\n  Left = 12x\nend\n",
        "object fmX: TForm\n  Left\nend\n",
        "object fmX: TForm\nend\nend\n",
        "object fmX: TForm\n  Lines.Strings = ( 'a'\nend\n",
    };
    for (const char* text : bad)
        EXPECT_THROW(parseText(text), EReadError) << text;
    try {
        parseText("object fmX: TForm\n  Caption = 'x'\n  Left = 1 2\nend\n");
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

// An unknown class or property, or a value of the wrong kind, stops the window's creation.
TEST(LayoutReader, UnknownClassOrPropertyStopsCreation)
{
    EXPECT_THROW(TForm(TForm::LayoutText{"object f: TForm\n  object x: TNoSuch\n  end\nend\n"}), EClassNotFound);
    EXPECT_THROW(TForm(TForm::LayoutText{"object f: TForm\n  object x: TPanel\n    Colour = 1\n  end\nend\n"}),
                 EReadError);
    EXPECT_THROW(TForm(TForm::LayoutText{"object f: TForm\n  object x: TPanel\n    Left = 'ten'\n  end\nend\n"}),
                 EReadError);
    EXPECT_THROW(TForm(TForm::LayoutText{"object f: TForm\n  object x: TPanel\n    Align = alSideways\n  end\nend\n"}),
                 EReadError);
    EXPECT_THROW(TForm(QStringLiteral("NOSUCHLAYOUT")), EReadError);
}

// Found by fuzzing: coordinates near the limit of int overflowed while the
// control was placed. Numbers beyond any window's size are refused as
// unreadable; the largest accepted one still places a control.
TEST(LayoutReader, NumbersBeyondAnyWindowSizeAreRefused)
{
    QFile fixture(QStringLiteral(TOLVIKA_TEST_FIXTURES "/ui/coordinates_beyond_any_screen.layout"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    EXPECT_THROW(TForm(TForm::LayoutText{fixture.readAll()}), EReadError);
    EXPECT_THROW(TForm(TForm::LayoutText{"object f: TForm\n  Height = 16777216\nend\n"}), EReadError);
    TForm form(TForm::LayoutText{"object f: TForm\n  object x: TPanel\n    Left = -16777215\n"
                                 "    Width = 16777215\n  end\nend\n"});
    EXPECT_EQ(form.component<TPanel>("x").Left(), -16777215);
    EXPECT_EQ(form.component<TPanel>("x").Width(), 16777215);
}

namespace {

// A window like the main one: a client panel above two bottom panels, each
// with a right-aligned panel inside its bevels.
const char* kStackedLayout = "object f: TForm\n"
                             "  Width = 624\n  Height = 630\n"
                             "  object Top1: TPanel\n    Left = 0\n    Top = 0\n    Width = 616\n    Height = 445\n"
                             "    Align = alClient\n  end\n"
                             "  object Bottom: TPanel\n    Left = 0\n    Top = 553\n    Width = 616\n    Height = 44\n"
                             "    Align = alBottom\n    BevelInner = bvLowered\n    BevelOuter = bvLowered\n"
                             "    object Right2: TPanel\n      Left = 513\n      Top = 2\n      Width = 101\n"
                             "      Height = 40\n      Align = alRight\n    end\n"
                             "    object Edit: TEdit\n      Left = 200\n      Top = 8\n      Width = 302\n"
                             "      Height = 25\n      Font.Name = 'Times New Roman'\n      Font.Height = 15\n    end\n"
                             "  end\n"
                             "  object Middle: TPanel\n    Left = 0\n    Top = 445\n    Width = 616\n    Height = 108\n"
                             "    Align = alBottom\n"
                             "    object Right1: TPanel\n      Left = 511\n      Top = 1\n      Width = 104\n"
                             "      Height = 106\n      Align = alRight\n    end\n"
                             "  end\n"
                             "end\n";

} // namespace

// Bottom panels stack from the bottom edge, the client panel takes the rest, and
// right-aligned panels sit inside their parent's bevels.
TEST(Alignment, BottomStackClientFillAndRightInsideBevels)
{
    TForm form(TForm::LayoutText{kStackedLayout});
    EXPECT_EQ(form.width(), 616);
    EXPECT_EQ(form.height(), 597);
    EXPECT_EQ(form.component<TPanel>("Bottom").geometry(), QRect(0, 553, 616, 44));
    EXPECT_EQ(form.component<TPanel>("Middle").geometry(), QRect(0, 445, 616, 108));
    EXPECT_EQ(form.component<TPanel>("Top1").geometry(), QRect(0, 0, 616, 445));
    EXPECT_EQ(form.component<TPanel>("Right2").geometry(), QRect(513, 2, 101, 40));
    EXPECT_EQ(form.component<TPanel>("Right1").geometry(), QRect(511, 1, 104, 106));
    // The edit's height follows its font: line height plus 8.
    auto& edit = form.component<TEdit>("Edit");
    EXPECT_EQ(edit.height(), 25); // Times New Roman 15 px: 17 + 8
    EXPECT_EQ(edit.height(), TEdit::lineHeight(edit.font()) + 8);

    form.show();
    form.resize(700, 700);
    EXPECT_EQ(form.component<TPanel>("Top1").geometry(), QRect(0, 0, 700, 548));
    EXPECT_EQ(form.component<TPanel>("Bottom").geometry(), QRect(0, 656, 700, 44));
    EXPECT_EQ(form.component<TPanel>("Right2").geometry(), QRect(597, 2, 101, 40));
    EXPECT_EQ(form.component<TEdit>("Edit").geometry().topLeft(), QPoint(200, 8));
}

// Fonts are inherited until a control sets its own; labels size themselves to their text.
TEST(Controls, FontInheritanceAndLabelAutoSize)
{
    TForm form(TForm::LayoutText{"object f: TForm\n  Font.Name = 'MS Sans Serif'\n  Font.Height = 13\n"
                                 "  object P: TPanel\n    object L: TLabel\n      Caption = 'TOLVIKA'\n"
                                 "      Font.Name = 'Times New Roman'\n      Font.Height = 27\n"
                                 "      Font.Style = [fsBold]\n      Font.Color = clRed\n    end\n"
                                 "    object M: TMemo\n    end\n  end\nend\n"});
    auto& memo = form.component<TMemo>("M");
    auto& label = form.component<TLabel>("L");
    EXPECT_EQ(memo.Font().Name, "MS Sans Serif");
    EXPECT_EQ(memo.Font().Height, 13);
    EXPECT_EQ(memo.font().family(), "Liberation Sans");
    EXPECT_EQ(label.font().family(), "Liberation Serif");
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.Font().Color, QColor(255, 0, 0));
    EXPECT_GT(label.width(), 100);
    EXPECT_EQ(label.height(), QFontMetrics(label.font()).height());
}

// A run of font properties reaches the widget as one change of font, the
// final one; a property between two runs still sees the font of the first.
TEST(Controls, FontPropertiesInARunApplyOnce)
{
    class FontChanges : public QObject {
    public:
        int ofLabels = 0;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::FontChange && dynamic_cast<TLabel*>(watched))
                ++ofLabels;
            return false;
        }
    } changes;
    qApp->installEventFilter(&changes);
    TForm oneRun(TForm::LayoutText{"object f: TForm\n  object L: TLabel\n    Caption = 'TOLVIKA'\n"
                                   "    Font.Name = 'Times New Roman'\n    Font.Height = 27\n"
                                   "    Font.Style = [fsBold]\n    Font.Color = clRed\n  end\nend\n"});
    const int afterOneRun = changes.ofLabels;
    TForm twoRuns(TForm::LayoutText{"object f: TForm\n  object L: TLabel\n    Font.Height = 40\n"
                                    "    Caption = 'TOLVIKA'\n    Font.Style = [fsBold]\n  end\nend\n"});
    qApp->removeEventFilter(&changes);
    EXPECT_EQ(afterOneRun, 1);
    EXPECT_EQ(changes.ofLabels - afterOneRun, 2);
    const auto& label = oneRun.component<TLabel>("L");
    EXPECT_EQ(label.font().family(), "Liberation Serif");
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.font().pixelSize(), 27);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(label.size(),
              QSize(QFontMetrics(label.font()).horizontalAdvance("TOLVIKA"), QFontMetrics(label.font()).height()));
    const auto& bold = twoRuns.component<TLabel>("L");
    EXPECT_TRUE(bold.font().bold());
    EXPECT_EQ(bold.font().pixelSize(), 40);
}
