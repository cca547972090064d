#include "tests/windows/program_windows.h"

#include "app/application.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/colors.h"
#include "platform/ui/memo.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The built-in notice, line by line; lines 3, 8, 9, 10, 11 and 14 end with a space.
const char* const kNotice[] = {
    "Здесь вы должны видеть текст файла помощи.",
    "",
    "Если вы видите этот текст, ",
    "значит файл \"/DATA/help.txt\" у вас отсутствует.",
    "",
    "Печально :(",
    "",
    "Либо вы скачали только tolvika.exe (можете скачать ",
    "полную версию вместе с данными), либо неверно указали ",
    "путь к данным при попытке изменения папки с данными ",
    "(в данном случае измените путь на существующий на ",
    "вашем компе и корректный набор данных).",
    "",
    "В случае затруднений с работой проги- пишите на мыло ",
    nullptr, // the contact line
    "",
    "УДАЧИ!",
    "",
    "",
    "",
    "",
};

// A data folder of its own (with the final separator the browser keeps).
struct DataFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString helpPath() const { return path() + QStringLiteral("help.txt"); }
    void writeHelp(const QByteArray& bytes) const
    {
        QFile file(helpPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

struct HelpWindow : ProgramWindows {
    DataFolder data;
    HelpWindow()
    {
        // The browser's data folder, as the folder button sets it.
        QFile marker(data.path() + QStringLiteral("data.txt"));
        EXPECT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.close();
        showMain();
        dialogs.queueChoice(data.path() + QStringLiteral("data.txt"));
        main.btnDirClick(main.btnDir);
        EXPECT_EQ(main.browser().DataFolder(), data.path());
        dialogs.reset();
    }
    QStringList errorTexts() const
    {
        QStringList texts;
        for (const auto& box : dialogs.errorBoxes())
            texts << box.text;
        return texts;
    }
};

} // namespace

// The window's caption, size, controls, fonts and the 21-line built-in notice.
TEST(HelpWindow, LayoutAndBuiltInNotice)
{
    TfmHelp help;
    EXPECT_EQ(help.Caption(), QString::fromUtf8("Помощь"));
    EXPECT_EQ(help.size(), QSize(505, 663));
    EXPECT_EQ(help.Position, TPosition::poOwnerFormCenter);
    EXPECT_EQ(help.Panel1->geometry(), QRect(0, 616, 505, 47));
    EXPECT_EQ(help.Panel1->BevelOuter, TBevelCut::bvRaised);
    EXPECT_EQ(help.Panel1->BevelInner, TBevelCut::bvLowered);
    EXPECT_EQ(help.btnExit->geometry(), QRect(208, 8, 97, 33));
    EXPECT_EQ(help.btnExit->text(), "OK");
    EXPECT_EQ(help.btnExit->Font().Height, 17);
    EXPECT_FALSE(help.btnExit->isDefault());
    EXPECT_EQ(help.Panel2->geometry(), QRect(0, 0, 505, 616));
    EXPECT_EQ(help.Panel2->BevelOuter, TBevelCut::bvLowered);
    EXPECT_EQ(help.Panel2->BevelInner, TBevelCut::bvLowered);
    EXPECT_EQ(help.Memo1->geometry(), QRect(2, 2, 501, 612));
    EXPECT_EQ(help.Memo1->Align, TAlign::alClient);
    EXPECT_EQ(help.Memo1->Font().Name, "Times New Roman");
    EXPECT_EQ(help.Memo1->Font().Height, 17);
    EXPECT_TRUE(help.Memo1->Font().Bold);
    EXPECT_EQ(help.Memo1->Color(), colors::btnFace());
    EXPECT_FALSE(help.Memo1->ReadOnly());
    EXPECT_EQ(help.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(help.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const QStringList lines = help.Memo1->Lines();
    ASSERT_EQ(lines.size(), 21);
    for (int i = 0; i < 21; ++i) {
        if (kNotice[i]) {
            EXPECT_EQ(lines[i], QString::fromUtf8(kNotice[i])) << "line " << i + 1;
        }
    }
    EXPECT_TRUE(lines[14].contains(QLatin1Char('@'))) << lines[14].toStdString();
    EXPECT_EQ(lines[14], lines[14].trimmed());
}

// The text area's soft raised bevel: one light and one dark edge on each side,
// outside the sunken border, which with the text moves two pixels inwards.
TEST(HelpWindow, SoftBevelAroundTheSunkenBorder)
{
    ScriptedDialogs dialogs; // the help file is not there: its error box is answered
    UserDialogsOverride scope(dialogs);
    TfmHelp help;
    help.Show();
    const QImage shot = grabOf(*help.Memo1);
    const int y = shot.height() / 2;
    const int right = shot.width() - 1;
    EXPECT_EQ(shot.pixel(0, y), colors::btnHighlight().rgb());
    EXPECT_EQ(shot.pixel(1, y), colors::light3D().rgb());
    EXPECT_EQ(shot.pixel(right, y), colors::dkShadow3D().rgb());
    EXPECT_EQ(shot.pixel(right - 1, y), colors::btnShadow().rgb());
    EXPECT_EQ(shot.pixel(shot.width() / 2, 0), colors::btnHighlight().rgb());
    EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() - 1), colors::dkShadow3D().rgb());
    // The sunken border starts inside the bevel: darker than the face, unlike the bevel's light edges.
    EXPECT_LT(shot.pixelColor(2, y).lightness(), colors::btnFace().lightness());
    const QRect text = help.Memo1->viewport()->geometry();
    EXPECT_EQ(text.left(), 4);
    EXPECT_EQ(text.top(), 4);
    EXPECT_EQ(text.bottom(), help.Memo1->height() - 1 - 4);
    const QScrollBar* bar = help.Memo1->verticalScrollBar();
    EXPECT_EQ(bar->mapTo(help.Memo1, QPoint(bar->width() - 1, 0)).x(), help.Memo1->width() - 1 - 4);

    // The main window's text area has the sunken border alone.
    TfmMain main;
    main.Show();
    EXPECT_EQ(main.Memo1->viewport()->geometry(), main.Memo1->rect().adjusted(2, 2, -2, -2));
}

// Present: the first showing reads help.txt; OK hides the window, which keeps its text.
TEST(HelpWindow, ShowsTheHelpFileAndOkHidesIt)
{
    HelpWindow w;
    w.data.writeHelp("Line one\r\n\xc2\xf2\xee\xf0\xe0\xff \xf1\xf2\xf0\xee\xea\xe0"); // Windows-1251 bytes
    w.main.N2Click(w.main.SpeedButton1);
    EXPECT_TRUE(w.help.isVisible());
    EXPECT_EQ(w.help.Memo1->Lines(), (QStringList{"Line one", QString::fromUtf8("Вторая строка")}));
    EXPECT_TRUE(w.dialogs.errorBoxes().empty());
    EXPECT_TRUE(w.main.isVisible()); // non-modal: the main window stays
    QTest::mouseClick(w.help.btnExit, Qt::LeftButton);
    EXPECT_FALSE(w.help.isVisible());
    EXPECT_TRUE(w.main.isVisible());
}

// Missing: the error box names the full path with a period, then the notice shows.
TEST(HelpWindow, MissingFileReportsThePathAndShowsTheNotice)
{
    HelpWindow w;
    w.main.N2Click(w.main.SpeedButton1);
    EXPECT_EQ(w.errorTexts(), QStringList{QStringLiteral("Cannot open file %1.").arg(w.data.helpPath())});
    EXPECT_EQ(w.dialogs.errorBoxes().at(0).caption, TApplication::instance()->ApplicationTitle());
    EXPECT_TRUE(w.help.isVisible());
    ASSERT_EQ(w.help.Memo1->Lines().size(), 21);
    EXPECT_EQ(w.help.Memo1->Lines().first(), QString::fromUtf8(kNotice[0]));
}

// A second click while the window is open only brings it to the front: no reading, no error.
TEST(HelpWindow, SecondClickWhileOpenReadsNothing)
{
    HelpWindow w;
    w.main.N2Click(w.main.SpeedButton1);
    ASSERT_EQ(w.dialogs.errorBoxes().size(), 1u);
    w.data.writeHelp("now present");
    QTest::mouseClick(w.main.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(w.dialogs.errorBoxes().size(), 1u);
    EXPECT_EQ(w.help.Memo1->Lines().first(), QString::fromUtf8(kNotice[0]));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w.help));

    // Hidden and shown again: read again.
    w.help.btnExitClick(w.help.btnExit);
    QTest::mouseClick(w.main.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(w.help.Memo1->Lines(), QStringList{"now present"});
    EXPECT_EQ(w.dialogs.errorBoxes().size(), 1u);
}

// Typed text stays until the next successful load, is never written, and a
// failed load keeps it; a folder change makes the next showing read the new folder.
TEST(HelpWindow, EditedTextIsKeptButNeverSaved)
{
    HelpWindow w;
    w.data.writeHelp("from the file");
    w.main.N2Click(w.main.SpeedButton1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.help));
    w.help.Memo1->setFocus();
    w.help.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(w.help.Memo1, " typed");
    EXPECT_EQ(w.help.Memo1->Lines(), QStringList{"from the file typed"});
    w.help.Close();

    // Another folder without help.txt: the error box, and the typed text stays.
    DataFolder other;
    QFile marker(other.path() + QStringLiteral("data.txt"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    w.dialogs.queueChoice(other.path() + QStringLiteral("data.txt"));
    w.main.btnDirClick(w.main.btnDir);
    w.main.N2Click(w.main.SpeedButton1);
    EXPECT_EQ(w.errorTexts(), QStringList{QStringLiteral("Cannot open file %1.").arg(other.helpPath())});
    EXPECT_EQ(w.help.Memo1->Lines(), QStringList{"from the file typed"});

    QFile file(w.data.helpPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "from the file");
    EXPECT_EQ(QDir(other.dir.path()).entryList(QDir::Files), QStringList{"data.txt"});
}

// Centred over the main window at its first showing only; reopened where it was left;
// the OK button holds the focus, so Enter closes it.
TEST(HelpWindow, PlacementAndFocus)
{
    HelpWindow w;
    w.data.writeHelp("help");
    w.main.move(40, 30);
    w.main.N2Click(w.main.SpeedButton1);
    // (624 - 513) / 2 = 55 and (630 - 696) / 2 = -33 from the main window's corner.
    EXPECT_EQ(w.help.pos(), QPoint(40 + 55, 30 - 33));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.help));
    EXPECT_EQ(QApplication::focusWidget(), w.help.btnExit);
    QTest::keyClick(w.help.btnExit, Qt::Key_Return);
    // A checked wait: the toolkit's own wait macro returns silently on a timeout here.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.help.isVisible(); }, 5000));

    w.help.move(300, 200);
    w.main.move(0, 0);
    w.main.N2Click(w.main.SpeedButton1);
    EXPECT_EQ(w.help.pos(), QPoint(300, 200));
    EXPECT_TRUE(w.help.isVisible());
}
