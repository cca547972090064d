// The committed artwork is exactly what the generator makes: run in-process
// and as the built program into an empty folder, byte for byte, with no
// committed file left that the generator does not make.
#include "tools/artwork/artwork_set.h"

#include "tests/tools/artwork/resource_bytes.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

using namespace artwork_test;

namespace {

const char* const kGeneratedFolders[] = {"windows/resources/pictures", "windows/resources/glyphs",
                                         "windows/resources/icon"};

} // namespace

// Generating in-process gives the committed bytes for every file, and every committed file is generated.
TEST(ArtworkReproduction, InProcessOutputEqualsCommittedFiles)
{
    const std::vector<artwork::ArtworkFile> files = artwork::generateArtwork();
    std::set<QString> generated;
    for (const artwork::ArtworkFile& file : files) {
        generated.insert(file.relativePath);
        EXPECT_TRUE(committedFile(file.relativePath) == file.bytes)
            << file.relativePath.toStdString() << " differs from the generator's output";
    }
    EXPECT_EQ(generated.size(), 10u);
    for (const char* folder : kGeneratedFolders) {
        const QDir dir(QStringLiteral(TOLVIKA_SOURCE_DIR "/") + QString::fromLatin1(folder));
        for (const QString& name : dir.entryList(QDir::Files))
            EXPECT_TRUE(generated.count(QString::fromLatin1(folder) + "/" + name))
                << "stray file " << name.toStdString();
    }
}

// Two runs in one process agree, so nothing depends on state left by the first.
TEST(ArtworkReproduction, SecondRunGivesTheSameBytes)
{
    const auto first = artwork::generateArtwork();
    const auto second = artwork::generateArtwork();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_TRUE(first[i].bytes == second[i].bytes) << first[i].relativePath.toStdString();
}

// The built program writes the same files below the root it is given.
TEST(ArtworkReproduction, ProgramRewritesTheCommittedBytes)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QProcess generator;
    generator.start(QStringLiteral(TOLVIKA_BUILD_DIR "/tools/artwork/tolvika-artwork"), {root.path()});
    ASSERT_TRUE(generator.waitForFinished(60000)) << generator.errorString().toStdString();
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    int compared = 0;
    for (const char* folder : kGeneratedFolders) {
        const QDir written(QDir(root.path()).filePath(QString::fromLatin1(folder)));
        for (const QString& name : written.entryList(QDir::Files)) {
            QFile file(written.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(file.readAll() == committedFile(QString::fromLatin1(folder) + "/" + name))
                << name.toStdString();
            ++compared;
        }
    }
    EXPECT_EQ(compared, 10);
}

// Without a root, or with a root that cannot be written, the program fails and says why.
TEST(ArtworkReproduction, ProgramRefusesBadArguments)
{
    QProcess generator;
    generator.start(QStringLiteral(TOLVIKA_BUILD_DIR "/tools/artwork/tolvika-artwork"), {});
    ASSERT_TRUE(generator.waitForFinished(60000));
    EXPECT_EQ(generator.exitCode(), 2);
    EXPECT_TRUE(generator.readAllStandardError().contains("usage"));

    QTemporaryDir parent;
    ASSERT_TRUE(parent.isValid());
    QFile blocker(QDir(parent.path()).filePath(QStringLiteral("windows")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where a folder must go
    blocker.close();
    generator.start(QStringLiteral(TOLVIKA_BUILD_DIR "/tools/artwork/tolvika-artwork"), {parent.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    EXPECT_EQ(generator.exitCode(), 1);
    EXPECT_TRUE(generator.readAllStandardError().contains("cannot"));
}
