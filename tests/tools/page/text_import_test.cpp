// A parent's text reaches the page as Windows-1251 with CR LF: "\n" typed on
// the command line and the line breaks of a UTF-8 file make the lines; what
// the code page cannot hold, control characters and files that are not UTF-8
// are refused with their place; lines that would not show are warned about.
#include "tools/page/page_errors.h"
#include "tools/page/text_import.h"

#include <gtest/gtest.h>

namespace {

// The refusal's message, or a failure when there is none.
QString refusal(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EPageRefused& error) {
        return QString::fromUtf8(error.what());
    }
    ADD_FAILURE() << "not refused";
    return {};
}

} // namespace

// "\n" and real breaks end lines, "\\" is a backslash; a final break makes no
// extra line; every line ends with CR LF in the Windows-1251 bytes.
TEST(TextImport, LinesBecomeWindows1251WithCrLf)
{
    EXPECT_EQ(textFromArgument(QStringLiteral("Бб\\nБабушка")), QStringLiteral("Бб\nБабушка"));
    EXPECT_EQ(textFromArgument(QStringLiteral("a\\\\nb\\t")), QStringLiteral("a\\nb\\t"));

    const ImportedText text = importText(QStringLiteral("Бб\nБабушка\n"));
    EXPECT_EQ(text.lines, (QStringList{QStringLiteral("Бб"), QStringLiteral("Бабушка")}));
    EXPECT_EQ(text.bytes, QByteArray("\xC1\xE1\r\n\xC1\xE0\xE1\xF3\xF8\xEA\xE0\r\n"));
    EXPECT_TRUE(text.warnings.isEmpty()) << text.warnings.join('\n').toStdString();

    EXPECT_EQ(importText(QStringLiteral("Ёж\r\nёж\rЯ")).bytes, QByteArray("\xA8\xE6\r\n\xB8\xE6\r\n\xDF\r\n"));
    EXPECT_EQ(importText(QStringLiteral("А\n\nБ")).lines.size(), 3) << "an empty line inside stays";
}

// An emoji or a character of another script is refused with its line, its
// place in the line and the character itself, never replaced.
TEST(TextImport, CharactersOutsideTheCodePageAreRefusedWithTheirPlace)
{
    const QString emoji = refusal([] { importText(QStringLiteral("Бб\nБабушка 😀!")); });
    EXPECT_TRUE(emoji.contains(QStringLiteral("\"😀\" (U+1F600) at line 2, character 9"))) << emoji.toStdString();

    const QString chinese = refusal([] { importText(QStringLiteral("Кот 猫")); });
    EXPECT_TRUE(chinese.contains(QStringLiteral("\"猫\" (U+732B) at line 1, character 5"))) << chinese.toStdString();

    const QString control = refusal([] { importText(QStringLiteral("Аа\nб\x07")); });
    EXPECT_TRUE(control.contains(QStringLiteral("U+0007"))) << control.toStdString();
    EXPECT_TRUE(control.contains(QStringLiteral("line 2, character 2"))) << control.toStdString();

    EXPECT_FALSE(refusal([] { importText(QStringLiteral(" \n ")); }).isEmpty()) << "an empty text";
}

// A UTF-8 file is read (its byte-order mark dropped); a file in another code
// page is refused with the line and byte where it stops being UTF-8.
TEST(TextImport, FilesMustBeUtf8)
{
    EXPECT_EQ(textFromUtf8File(QByteArray("\xEF\xBB\xBF\xD0\x91\xD0\xB1\r\n"), QStringLiteral("t.txt")),
              QStringLiteral("Бб\r\n"));
    const QString cp1251 = refusal(
        [] { textFromUtf8File(QByteArray("Ok\n\xC1\xE0\xE1\xF3\xF8\xEA\xE0\n"), QStringLiteral("t.txt")); });
    EXPECT_TRUE(cp1251.contains(QStringLiteral("t.txt: not UTF-8 text at line 2, byte 1"))) << cp1251.toStdString();
    const QString utf16 = refusal([] { textFromUtf8File(QByteArray("\xFF\xFE\x11\x04", 4), QStringLiteral("t.txt")); });
    EXPECT_TRUE(utf16.contains(QStringLiteral("UTF-16"))) << utf16.toStdString();
}

// The program reads no text larger than its text area holds, so neither is
// one written: 16 384 bytes as stored (CR LF counted) pass, one more is refused.
TEST(TextImport, TextLargerThanTheAreaHoldsIsRefused)
{
    const QString line = QString(98, QChar(u'Б'));
    const QString fits = (line + QLatin1Char('\n')).repeated(163) + QString(82, QChar(u'Б'));
    EXPECT_EQ(importText(fits).bytes.size(), 16384);
    const QString message = refusal([&] { importText(fits + QChar(u'Б')); });
    EXPECT_TRUE(message.contains(QStringLiteral("16385 bytes"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("16384"))) << message.toStdString();
}

// A line wider than the text area and a third line are told, not refused.
TEST(TextImport, WarnsWhatTheTextAreaWouldNotShow)
{
    const ImportedText wide = importText(QStringLiteral("Очень длинная строчка, которая не поместится"));
    ASSERT_EQ(wide.warnings.size(), 1);
    EXPECT_TRUE(wide.warnings.first().startsWith(QStringLiteral("line 1 is too wide")))
        << wide.warnings.first().toStdString();

    const ImportedText three = importText(QStringLiteral("Аа\nАрбуз\nЕщё"));
    ASSERT_EQ(three.warnings.size(), 1);
    EXPECT_TRUE(three.warnings.first().contains(QStringLiteral("3 lines, but the text area shows 2")));
    EXPECT_EQ(three.bytes.count("\r\n"), 3) << "the third line is still written";
}
