// A page's files change together or not at all: staged files replace their
// targets only when every swap succeeds, a failed swap puts every old file
// back and leaves no temporary file, and new files get ordinary permissions.
#include "tools/page/staged_file.h"

#include "tests/support/phone_sources.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray read(const fs::path& path) { return testfiles::readFile(QString::fromStdString(path.string())); }

} // namespace

// Both files are replaced and nothing else is left in the folder.
TEST(StagedFile, SwapsInEveryFile)
{
    const QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    testfiles::writeFile(dir.filePath(QStringLiteral("a.txt")), "old a");
    StagedFile a(folder / "a.txt");
    StagedFile b(folder / "b.txt");
    a.write("new a");
    b.write("new b");
    swapInTogether({&a, &b});
    EXPECT_EQ(read(folder / "a.txt"), QByteArray("new a"));
    EXPECT_EQ(read(folder / "b.txt"), QByteArray("new b"));
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// The second target is a folder that cannot be replaced by a file: the first
// file, already swapped in, goes back to its old content.
TEST(StagedFile, AFailedSwapPutsEverythingBack)
{
    const QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    testfiles::writeFile(dir.filePath(QStringLiteral("a.txt")), "old a");
    testfiles::writeFile(dir.filePath(QStringLiteral("b.txt/inside")), "a folder in the way");
    {
        StagedFile a(folder / "a.txt");
        StagedFile b(folder / "b.txt");
        a.write("new a");
        b.write("new b");
        EXPECT_THROW(swapInTogether({&a, &b}), fs::filesystem_error);
    }
    EXPECT_EQ(read(folder / "a.txt"), QByteArray("old a"));
    EXPECT_EQ(read(folder / "b.txt" / "inside"), QByteArray("a folder in the way"));
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"a.txt", "b.txt"})) << "no temporary file left";
}

// A new file follows the umask like any program's; a replaced one keeps its mode.
TEST(StagedFile, PermissionsAreTheUsualOnes)
{
    const QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    testfiles::writeFile(dir.filePath(QStringLiteral("kept.txt")), "old");
    fs::permissions(folder / "kept.txt", fs::perms(0640));
    const mode_t old = ::umask(022);
    {
        StagedFile fresh(folder / "fresh.txt");
        StagedFile kept(folder / "kept.txt");
        fresh.write("new");
        kept.write("new");
        swapInTogether({&fresh, &kept});
    }
    ::umask(old);
    EXPECT_EQ(fs::status(folder / "fresh.txt").permissions(), fs::perms(0644));
    EXPECT_EQ(fs::status(folder / "kept.txt").permissions(), fs::perms(0640));
}

// A folder made for a page goes again when the page is not written.
TEST(StagedFile, MadeFolderGoesUnlessKept)
{
    const QTemporaryDir dir;
    const fs::path folder = fs::path(dir.path().toStdString()) / "Б";
    {
        NewFolderGuard made(folder);
        EXPECT_TRUE(fs::is_directory(folder));
    }
    EXPECT_FALSE(fs::exists(folder));
    {
        NewFolderGuard made(folder);
        made.keep();
    }
    EXPECT_TRUE(fs::is_directory(folder));
}
