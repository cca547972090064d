// Path and presence questions: the folder part of a path, the executable's
// path, and which entries count as a present file.
#include "app/core/path_encoding.h"
#include "app/file_services.h"
#include "tests/app/jpeg_fixtures.h"
#include "tests/support/byte_named_folder.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

namespace {

struct FolderCase {
    const char* path;
    const char* folder;
};

class FolderPartTest : public ::testing::TestWithParam<FolderCase> {};

// The folder part keeps everything up to and including the last "/".
TEST_P(FolderPartTest, KeepsEverythingUpToTheLastSlash)
{
    EXPECT_EQ(FolderPart(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().folder));
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderPartTest,
                         ::testing::Values(FolderCase{"/opt/kids/trainer", "/opt/kids/"},
                                           FolderCase{"/opt/kids/DATA/", "/opt/kids/DATA/"}, FolderCase{"data.txt", ""},
                                           FolderCase{"", ""}, FolderCase{"/", "/"},
                                           FolderCase{"DATA/Б/letter_text.txt", "DATA/Б/"},
                                           FolderCase{"C:\\Apps\\trainer.exe", ""}));

// The executable's path is absolute and names this very test program.
TEST(ProgramFilePath, NamesTheRunningExecutable)
{
    const QString path = ProgramFilePath();
    const QFileInfo info(path);
    EXPECT_TRUE(info.isAbsolute());
    EXPECT_TRUE(info.isFile());
    EXPECT_EQ(info.fileName(), QStringLiteral("test_app"));
    EXPECT_EQ(FolderPart(path), info.absolutePath() + QLatin1Char('/'));
}

class FileIsPresentTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
};

// Any regular file is present, however old and whatever its access rights.
TEST_F(FileIsPresentTest, RegularFilesArePresentWhateverTheirStampOrMode)
{
    const QString old = path("letter_img.jpg");
    testfiles::writeFile(old, "x");
    const timeval epoch[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(utimes(QFile::encodeName(old).constData(), epoch), 0);
    ASSERT_EQ(QFileInfo(old).lastModified().toSecsSinceEpoch(), 0);
    EXPECT_TRUE(FileIsPresent(old));

    const QString locked = path("letter_text.txt");
    testfiles::writeFile(locked, "");
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
    EXPECT_TRUE(FileIsPresent(locked));

    const QString cyrillic = path("Б");
    testfiles::writeFile(cyrillic, "");
    EXPECT_TRUE(FileIsPresent(cyrillic));
}

// Missing names, directories and pipes are absent.
TEST_F(FileIsPresentTest, MissingNamesDirectoriesAndPipesAreAbsent)
{
    EXPECT_FALSE(FileIsPresent(path("letter_voice.wav")));
    EXPECT_FALSE(FileIsPresent(QString()));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("letter_img.jpg")));
    EXPECT_FALSE(FileIsPresent(path("letter_img.jpg")));
    EXPECT_FALSE(FileIsPresent(path("letter_img.jpg/")));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.txt")).constData(), 0600), 0);
    EXPECT_FALSE(FileIsPresent(path("pipe.txt")));
}

// In a folder whose name is not UTF-8, a file is present and a missing one absent.
TEST(FileIsPresentInByteNamedFolder, FindsTheFileByItsBytes)
{
    const testcontent::ByteNamedFolder folder;
    const QByteArray help = folder.write("DATA/help.txt", "help");
    EXPECT_TRUE(FileIsPresent(pathFromBytes(help)));
    EXPECT_FALSE(FileIsPresent(pathFromBytes(folder.path() + "DATA/data.txt")));
}

// The data folder beside an executable in such a folder keeps the folder's bytes, and its files are found.
TEST(FileIsPresentInByteNamedFolder, DataFolderBesideTheExecutableKeepsTheBytes)
{
    const testcontent::ByteNamedFolder folder;
    folder.write("DATA/Main/welcome_text.txt", "hello");
    const QString dataFolder = FolderPart(pathFromBytes(folder.path() + "tolvika")) + QStringLiteral("DATA/");
    EXPECT_EQ(pathBytes(dataFolder), folder.path() + "DATA/");
    EXPECT_TRUE(FileIsPresent(dataFolder + QStringLiteral("Main/welcome_text.txt")));
}

} // namespace
