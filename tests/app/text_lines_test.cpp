// Loading a text file into a text area: line breaks, NUL, code page, errors
// and the unchanged-text rule.
#include "app/core/errors.h"
#include "app/core/path_encoding.h"
#include "app/text_lines.h"
#include "platform/ui/memo.h"
#include "tests/app/jpeg_fixtures.h"
#include "tests/support/byte_named_folder.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LoadTextLinesTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    TMemo m_area;

    QString file(const QByteArray& bytes, const char* name = "letter_text.txt")
    {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        testfiles::writeFile(path, bytes);
        return path;
    }
};

struct LinesCase {
    QByteArray bytes;
    QStringList lines;
};

class LineBreakTest : public ::testing::TestWithParam<LinesCase> {};

// CR, LF and CR LF each break a line; a final break adds no line; NUL ends the text.
TEST_P(LineBreakTest, SplitsAtEveryKindOfBreak)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    testfiles::writeFile(path, GetParam().bytes);
    TMemo area;
    LoadTextLines(area, path);
    EXPECT_EQ(area.Lines(), GetParam().lines);
}

const QStringList kFour = {"A", "B", "C", "D"};

INSTANTIATE_TEST_SUITE_P(Files, LineBreakTest,
                         ::testing::Values(LinesCase{"A\rB\nC\r\nD", kFour}, LinesCase{"A\rB\nC\r\nD\r\n", kFour},
                                           LinesCase{"A\rB\nC\r\nD\r", kFour}, LinesCase{"A\rB\nC\r\nD\n", kFour},
                                           LinesCase{"A\n\nB", {"A", "", "B"}}, LinesCase{"A\r\n\r\nB", {"A", "", "B"}},
                                           LinesCase{QByteArray("First\r\n\0Second\r\n", 16), {"First"}},
                                           LinesCase{QByteArray("\0Hidden", 7), {}}, LinesCase{"", {}}));

// Bytes are Windows-1251; a byte with no character shows U+FFFD and the text goes on.
TEST_F(LoadTextLinesTest, DecodesWindows1251AndReplacesBytesWithoutCharacter)
{
    LoadTextLines(m_area, file("\xC0\xE1\xE2\x98z\r\n\xA8\xB8"));
    EXPECT_EQ(m_area.Lines(), QStringList({QStringLiteral("Абв\uFFFDz"), QStringLiteral("Ёё")}));
}

// Non-breaking spaces (0xA0) stay what they are, and such a text counts as unchanged when loaded again.
TEST_F(LoadTextLinesTest, NonBreakingSpacesAreKept)
{
    int changes = 0;
    QObject::connect(&m_area, &QPlainTextEdit::textChanged, [&] { ++changes; });
    const QString name = file("10\xA0\xEA\xE3\r\n");
    LoadTextLines(m_area, name);
    LoadTextLines(m_area, name);
    EXPECT_EQ(m_area.Lines(), QStringList({QStringLiteral("10\u00A0кг")}));
    EXPECT_EQ(changes, 1);
}

// An empty file empties the area.
TEST_F(LoadTextLinesTest, EmptyFileLeavesTheAreaEmpty)
{
    m_area.setText(QStringLiteral("old"));
    LoadTextLines(m_area, file(""));
    EXPECT_TRUE(m_area.Text().isEmpty());
    EXPECT_TRUE(m_area.Lines().isEmpty());
}

// Loading the text the area already shows does not set it again.
TEST_F(LoadTextLinesTest, UnchangedTextIsNotSetAgain)
{
    int changes = 0;
    QObject::connect(&m_area, &QPlainTextEdit::textChanged, [&] { ++changes; });
    const QString same = file("One\r\nTwo\r\n");
    LoadTextLines(m_area, same);
    ASSERT_EQ(changes, 1);
    LoadTextLines(m_area, same);
    EXPECT_EQ(changes, 1);
    LoadTextLines(m_area, file("One\nTwo\n", "other.txt"));
    EXPECT_EQ(changes, 1) << "the same text with other line breaks is the same text";
    LoadTextLines(m_area, file("One\r\nThree\r\n", "third.txt"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(m_area.Lines(), QStringList({"One", "Three"}));
    EXPECT_TRUE(m_area.updatesEnabled());
}

// Missing files, directories and pipes cannot be opened; the error names the file as passed.
TEST_F(LoadTextLinesTest, UnopenableFilesRaiseWithTheNameAndKeepTheText)
{
    m_area.setText(QStringLiteral("kept"));
    const QString missing = m_dir.filePath(QStringLiteral("help.txt"));
    const QString folder = m_dir.filePath(QStringLiteral("letter_text.txt"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("letter_text.txt")));
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& name : {missing, folder, pipe, QString()}) {
        try {
            LoadTextLines(m_area, name);
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file " + name.toStdString());
        }
        EXPECT_EQ(m_area.Text(), QStringLiteral("kept"));
    }
}

// A file in a folder whose name is not UTF-8 is read by its bytes; a missing
// one there is named in the error as a person reads it, U+FFFD for the byte.
TEST_F(LoadTextLinesTest, FolderNamedWithBytesThatAreNoUtf8)
{
    const testcontent::ByteNamedFolder folder;
    LoadTextLines(m_area, pathFromBytes(folder.write("help.txt", "\xCF\xEE\xEC\xEE\xF9\xFC\r\n")));
    EXPECT_EQ(m_area.Lines(), QStringList({QStringLiteral("Помощь")}));

    const testcontent::Utf8CharacterSet utf8;
    const QString missing = pathFromBytes(folder.path() + "DATA/help.txt");
    try {
        LoadTextLines(m_area, missing);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& error) {
        // The temporary folder's own path is ASCII; only the folder's last byte means nothing.
        const QString shown = QString::fromLatin1(folder.path()).replace(QChar(0xE9), QChar::ReplacementCharacter);
        EXPECT_EQ(QString::fromUtf8(error.Message()), QStringLiteral("Cannot open file ") + shown + "DATA/help.txt");
    }
    EXPECT_EQ(m_area.Lines(), QStringList({QStringLiteral("Помощь")}));
}

// A file without read permission cannot be opened; as root the test reads as an ordinary user.
TEST_F(LoadTextLinesTest, UnreadableFileRaises)
{
    const QString locked = file("secret");
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
    // Only the file's own mode may stand in the way: the folder is open to everyone.
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    m_area.setText(QStringLiteral("kept"));
    OrdinaryUser user;
    if (user.failed())
        GTEST_SKIP() << "running as root and cannot take an ordinary user's identity";
    try {
        LoadTextLines(m_area, locked);
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file " + locked.toStdString());
    }
    EXPECT_EQ(m_area.Text(), QStringLiteral("kept"));
}

// A file beyond the area's capacity is refused from its size alone; the area keeps its text.
TEST_F(LoadTextLinesTest, OversizeFileIsRefusedUnreadAndTheTextKept)
{
    m_area.setText(QStringLiteral("kept"));
    // All NUL bytes: had the file been read, the text would be empty and fit.
    const QString huge = file("");
    ASSERT_EQ(truncate(QFile::encodeName(huge).constData(), qint64(TMemo::kCapacity) + 1), 0);
    try {
        LoadTextLines(m_area, huge);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Text exceeds memo capacity");
    }
    EXPECT_EQ(m_area.Text(), QStringLiteral("kept"));
    EXPECT_TRUE(m_area.updatesEnabled());
}

// A page text of one line of Б, a little under 4 MiB, without a place to
// break it, would hold the word-wrapped area for minutes: it is refused as too
// large, and the area keeps its text.
TEST_F(LoadTextLinesTest, OneLineOfFourMebibytesIsRefusedAndTheTextKept)
{
    m_area.setText(QStringLiteral("kept"));
    const QString longLine = file(QByteArray(4 * 1024 * 1024 - 10, '\xC1'));
    try {
        LoadTextLines(m_area, longLine);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Text exceeds memo capacity");
    }
    EXPECT_EQ(m_area.Text(), QStringLiteral("kept"));
    EXPECT_TRUE(m_area.updatesEnabled());
}

// The capacity is exact for the costliest shape: one line of Ю (the widest
// letter) at the capacity loads whole; one byte more is refused and the
// loaded line stays.
TEST_F(LoadTextLinesTest, LineAtTheCapacityLoadsAndOneByteMoreIsRefused)
{
    const QByteArray atCapacity(TMemo::kCapacity, '\xDE');
    const QString line(TMemo::kCapacity, QChar(0x042E));
    LoadTextLines(m_area, file(atCapacity));
    ASSERT_EQ(m_area.Lines(), QStringList{line});
    try {
        LoadTextLines(m_area, file(atCapacity + '\xDE', "longer.txt"));
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Text exceeds memo capacity");
    }
    EXPECT_EQ(m_area.Lines(), QStringList{line});
}

// Clear lines then add line gives one line, as the pages use them.
TEST_F(LoadTextLinesTest, ClearThenAddLineGivesThatLine)
{
    LoadTextLines(m_area, file("A\r\nB\r\n"));
    m_area.Clear();
    EXPECT_TRUE(m_area.Lines().isEmpty());
    m_area.AddLine(QStringLiteral("Invalid text data!"));
    EXPECT_EQ(m_area.Lines(), QStringList({"Invalid text data!"}));
}

} // namespace
