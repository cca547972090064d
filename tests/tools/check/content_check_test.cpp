// The checker run in-process: on the bundled folder everything loads without
// a warning; on damaged copies each kind of damage lands in the right row and
// column with the right status, and only what the program could not show
// (missing or failing files) makes the check fail.
#include "app/jpeg_image.h"
#include "app/picture_file.h"
#include "platform/ui/memo.h"
#include "tests/tools/check/folder_copies.h"
#include "tools/check/content_check.h"
#include "tools/check/report_table.h"

#include "app/core/path_encoding.h"
#include "tests/support/byte_named_folder.h"
#include "tests/support/content_files.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace checkfixtures;
using namespace testfiles;

#define SKIP_WITHOUT_BUNDLED_DATA()                                                                                    \
    if (bundledFolder().isEmpty())                                                                                     \
    GTEST_SKIP() << "built without the bundled data folder"

const QString kLetters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");

struct CheckRun {
    int status = -1;
    QString report;
};

CheckRun runOn(const QString& folder)
{
    CheckRun run;
    QTextStream out(&run.report);
    run.status = runContentCheck(folder, out);
    return run;
}

const PageCheck& page(const FolderCheck& result, const QString& name)
{
    for (const PageCheck& p : result.pages)
        if (p.name == name)
            return p;
    throw std::runtime_error("no row " + name.toStdString());
}

// The report's row for a page, split into its five columns.
QStringList row(const QString& report, const QString& name)
{
    for (const QString& line : report.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1Char(' ')))
            return line.split(QRegularExpression(QStringLiteral("  +")));
    return {};
}

TEST(ContentCheck, BundledFolderLoadsWholeWithoutWarnings)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const FolderCheck result = checkDataFolder(bundledFolder());
    ASSERT_EQ(result.pages.size(), 34u);
    EXPECT_EQ(result.pages[0].name, QStringLiteral("Main"));
    for (int i = 0; i < kLetters.size(); ++i)
        EXPECT_EQ(result.pages[i + 1].name, kLetters.mid(i, 1));
    for (const PageCheck& p : result.pages) {
        for (const FileCheck* file : {&p.text, &p.picture, &p.sound}) {
            EXPECT_EQ(file->status, CheckStatus::Ok)
                << p.name.toStdString() << ": " << file->notes.join("; ").toStdString();
            EXPECT_FALSE(file->value.isEmpty()) << p.name.toStdString();
        }
        EXPECT_TRUE(p.notes.isEmpty());
    }
    EXPECT_EQ(result.help.status, CheckStatus::Ok);
    EXPECT_EQ(result.marker.status, CheckStatus::Ok);
    EXPECT_TRUE(result.passed());

    const CheckRun run = runOn(bundledFolder());
    EXPECT_EQ(run.status, kCheckPassed);
    EXPECT_TRUE(run.report.contains(QStringLiteral("Summary: 104 files, 104 ok, 0 warnings, 0 missing, 0 failed")))
        << run.report.toStdString();
    // Each row shows the value the checks found, e.g. "ok 592×419".
    const QStringList ya = row(run.report, QStringLiteral("Я"));
    ASSERT_EQ(ya.size(), 4) << run.report.toStdString(); // no notes
    EXPECT_TRUE(ya[1].startsWith(QStringLiteral("ok "))) << ya[1].toStdString();
    EXPECT_EQ(ya[2], QStringLiteral("ok ") + page(result, QStringLiteral("Я")).picture.value);
    EXPECT_TRUE(ya[3].endsWith(QStringLiteral(" s")));
}

TEST(ContentCheck, WarningsAreReportedButTheCheckPasses)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const FolderCopy copy;
    writeFile(copy.file("Б/letter_text.txt"), windows1251AsUtf8(readFile(copy.file("Б/letter_text.txt"))));
    const QByteArray picture = readFile(copy.file("В/letter_img.jpg"));
    writeFile(copy.file("В/letter_img.jpg"), picture.left(picture.size() * 6 / 10));
    writeFile(copy.file("Г/letter_img.jpg"), jpegOfSize(800, 300));
    writeFile(copy.file("Д/letter_text.txt"), QByteArray());

    const FolderCheck result = checkDataFolder(copy.path());
    const PageCheck& b = page(result, QStringLiteral("Б"));
    EXPECT_EQ(b.text.status, CheckStatus::Warning);
    ASSERT_EQ(b.text.notes.size(), 1);
    // The note shows the garbled first line: "Бб" in UTF-8, read as Windows-1251.
    EXPECT_TRUE(b.text.notes[0].contains(QStringLiteral("UTF-8"))) << b.text.notes[0].toStdString();
    EXPECT_TRUE(b.text.notes[0].contains(QStringLiteral("\"Р‘Р±\""))) << b.text.notes[0].toStdString();
    EXPECT_EQ(b.picture.status, CheckStatus::Ok);
    EXPECT_EQ(page(result, QStringLiteral("В")).picture.status, CheckStatus::Warning);
    EXPECT_TRUE(page(result, QStringLiteral("В")).picture.notes.join("").contains(QStringLiteral("truncated")));
    const FileCheck& large = page(result, QStringLiteral("Г")).picture;
    EXPECT_EQ(large.status, CheckStatus::Warning);
    EXPECT_EQ(large.value, QStringLiteral("800×300"));
    EXPECT_TRUE(large.notes.join("").contains(QStringLiteral("larger than the 614×443 picture area")));
    const FileCheck& empty = page(result, QStringLiteral("Д")).text;
    EXPECT_EQ(empty.status, CheckStatus::Warning);
    EXPECT_EQ(empty.value, QStringLiteral("0 lines"));
    EXPECT_TRUE(result.passed());

    const CheckRun run = runOn(copy.path());
    EXPECT_EQ(run.status, kCheckPassed);
    const QStringList bRow = row(run.report, QStringLiteral("Б"));
    ASSERT_EQ(bRow.size(), 5) << run.report.toStdString();
    EXPECT_TRUE(bRow[1].startsWith(QStringLiteral("WARN"))) << bRow[1].toStdString();
    EXPECT_TRUE(bRow[4].startsWith(QStringLiteral("text: saved as UTF-8"))) << bRow[4].toStdString();
    EXPECT_TRUE(row(run.report, QStringLiteral("Г"))[2].startsWith(QStringLiteral("WARN 800×300")));
    EXPECT_TRUE(run.report.contains(QStringLiteral("Summary: 104 files, 100 ok, 4 warnings, 0 missing, 0 failed: "
                                                   "everything the program would show loads.")))
        << run.report.toStdString();
}

TEST(ContentCheck, MissingAndFailingFilesFailTheCheck)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const FolderCopy copy;
    writeFile(copy.file("Е/letter_img.jpg"), withUndefinedScanTables(readFile(copy.file("Е/letter_img.jpg"))));
    writeFile(copy.file("Ж/letter_voice.wav"), QByteArray());
    removeFolder(copy.file("З"));
    writeFile(copy.file("И/letter_img.jpg"), QByteArray("not a picture at all"));
    writeFile(copy.file("Й/letter_img.jpg"), QByteArray());
    writeFile(copy.file("К/letter_text.txt"), QByteArray(TMemo::kCapacity + 1, 'a'));
    removeFile(copy.file("Main/welcome_text.txt"));
    removeFile(copy.file("help.txt"));
    removeFile(copy.file("data.txt"));

    const FolderCheck result = checkDataFolder(copy.path());
    EXPECT_FALSE(result.passed());

    const FileCheck& body = page(result, QStringLiteral("Е")).picture;
    EXPECT_EQ(body.status, CheckStatus::Failed);
    ASSERT_EQ(body.notes.size(), 1);
    EXPECT_TRUE(body.notes[0].startsWith(QStringLiteral("error box \"JPEG error #"))) << body.notes[0].toStdString();
    EXPECT_TRUE(body.notes[0].endsWith(QStringLiteral(".\" when the picture is first painted")));

    const FileCheck& sound = page(result, QStringLiteral("Ж")).sound;
    EXPECT_EQ(sound.status, CheckStatus::Failed);
    EXPECT_TRUE(sound.notes.join("").contains(QStringLiteral("not a WAV sound"))) << sound.notes.join("").toStdString();

    const PageCheck& noFolder = page(result, QStringLiteral("З"));
    for (const FileCheck* file : {&noFolder.text, &noFolder.picture, &noFolder.sound}) {
        EXPECT_EQ(file->status, CheckStatus::Missing);
        EXPECT_TRUE(file->notes.isEmpty());
    }
    EXPECT_EQ(noFolder.notes,
              QStringList{QStringLiteral("no folder З: \"Invalid text data!\", the fallback picture and a beep")});

    const FileCheck& header = page(result, QStringLiteral("И")).picture;
    EXPECT_EQ(header.status, CheckStatus::Failed);
    EXPECT_TRUE(header.notes.join("").endsWith(QStringLiteral(".\" when the page loads")));
    const FileCheck& zero = page(result, QStringLiteral("Й")).picture;
    EXPECT_EQ(zero.status, CheckStatus::Failed);
    EXPECT_EQ(zero.notes,
              QStringList{QStringLiteral("error box \"JPEG error #41.\" when the picture is first painted")});

    const FileCheck& tooLong = page(result, QStringLiteral("К")).text;
    EXPECT_EQ(tooLong.status, CheckStatus::Failed);
    EXPECT_EQ(tooLong.notes, QStringList{QStringLiteral("error box \"Text exceeds memo capacity.\"")});

    const FileCheck& welcome = page(result, QStringLiteral("Main")).text;
    EXPECT_EQ(welcome.status, CheckStatus::Missing);
    EXPECT_EQ(welcome.notes, QStringList{QStringLiteral("missing: \"Invalid welcome text data!\" shows")});
    EXPECT_EQ(page(result, QStringLiteral("Main")).picture.status, CheckStatus::Ok);
    EXPECT_EQ(result.help.status, CheckStatus::Missing);
    EXPECT_TRUE(result.help.notes.join("").contains(QStringLiteral("Cannot open file ") + copy.file("help.txt")));
    EXPECT_EQ(result.marker.status, CheckStatus::Missing);

    const CheckRun run = runOn(copy.path());
    EXPECT_EQ(run.status, kCheckFailed);
    const QStringList zRow = row(run.report, QStringLiteral("З"));
    ASSERT_EQ(zRow.size(), 5) << run.report.toStdString();
    EXPECT_EQ(zRow.mid(1, 3), (QStringList{"MISSING", "MISSING", "MISSING"}));
    EXPECT_TRUE(row(run.report, QStringLiteral("Е"))[2].startsWith(QStringLiteral("FAIL")));
    EXPECT_EQ(row(run.report, QStringLiteral("data.txt")).value(1), QStringLiteral("MISSING"));
    EXPECT_TRUE(run.report.contains(QStringLiteral("Summary: 104 files, 93 ok, 0 warnings, 6 missing, 5 failed: "
                                                   "the program would not show everything.")))
        << run.report.toStdString();
}

// Pictures the program refuses rather than spend minutes or gigabytes on them
// fail in their rows, quoting the error box and saying why: a parent can open
// either file elsewhere and would not guess it.
TEST(ContentCheck, HostilePicturesFailWithTheReason)
{
    SKIP_WITHOUT_BUNDLED_DATA();
    const FolderCopy copy;
    writeFile(copy.file("Б/letter_img.jpg"), testcontent::withEmptyScans(jpegOfSize(600, 420, true), 200'000));
    const QString huge = copy.file("В/letter_img.jpg");
    ASSERT_TRUE(QFile::resize(huge, qint64{2} << 30));

    const FolderCheck result = checkDataFolder(copy.path());
    const FileCheck& scans = page(result, QStringLiteral("Б")).picture;
    EXPECT_EQ(scans.status, CheckStatus::Failed);
    EXPECT_EQ(scans.notes.join(QLatin1Char('|')).toStdString(),
              QStringLiteral("error box \"JPEG error #%1.\" when the picture is first painted: it has more than %2 "
                             "scans, which no camera or program writes")
                  .arg(TJPEGImage::kTooManyScansCode)
                  .arg(TJPEGImage::kMaxScans)
                  .toStdString());
    const FileCheck& large = page(result, QStringLiteral("В")).picture;
    EXPECT_EQ(large.status, CheckStatus::Failed);
    EXPECT_EQ(large.notes.join(QLatin1Char('|')).toStdString(),
              QStringLiteral("error box \"Cannot open file %1.\" when the page loads: the file is 2048 MiB, and the "
                             "program reads no picture over %2 MiB")
                  .arg(huge)
                  .arg(kMaxPictureFileBytes >> 20)
                  .toStdString());

    const CheckRun run = runOn(copy.path());
    EXPECT_EQ(run.status, kCheckFailed);
    EXPECT_TRUE(row(run.report, QStringLiteral("Б")).value(2).startsWith(QStringLiteral("FAIL")));
    EXPECT_TRUE(row(run.report, QStringLiteral("В")).value(2).startsWith(QStringLiteral("FAIL")));
}

TEST(ContentCheck, SomethingOtherThanAFolderIsABadArgument)
{
    const QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/data.txt");
    writeFile(file, "marker");
    for (const QString& argument : {file, dir.path() + QStringLiteral("/nothing"), QString()}) {
        const CheckRun run = runOn(argument);
        EXPECT_EQ(run.status, kCheckBadArgument) << argument.toStdString();
        EXPECT_EQ(run.report, QStringLiteral("not a folder: ") + argument + QLatin1Char('\n'));
    }
}

TEST(ContentCheck, AnEmptyFolderHasEverythingMissing)
{
    const QTemporaryDir dir;
    const FolderCheck result = checkDataFolder(dir.path());
    EXPECT_EQ(result.folder, dir.path() + QLatin1Char('/'));
    ASSERT_EQ(result.pages.size(), 34u);
    for (const PageCheck& p : result.pages) {
        EXPECT_EQ(p.text.status, CheckStatus::Missing);
        EXPECT_EQ(p.picture.status, CheckStatus::Missing);
        EXPECT_EQ(p.sound.status, CheckStatus::Missing);
        EXPECT_EQ(p.notes.size(), 1);
    }
    EXPECT_FALSE(result.passed());
}

// A data folder inside a folder whose name is not UTF-8 is checked by its
// real bytes: its pages load, and it is not taken for a missing folder.
TEST(ContentCheck, FolderWhoseNameIsNotUtf8)
{
    const testcontent::ByteNamedFolder parent;
    parent.write("DATA/data.txt", QByteArray());
    parent.write("DATA/Main/welcome_text.txt", testcontent::windows1251(QStringLiteral("Привет\r\n")));
    parent.write("DATA/Main/welcome_img.jpg", testcontent::builtInJpeg());
    parent.write("DATA/Main/welcome_sound.wav", testcontent::sineWav(440, 200));
    const QString folder = pathFromBytes(parent.path() + "DATA");
    const PageCheck welcome = checkWelcomePage(folder);
    EXPECT_EQ(welcome.text.status, CheckStatus::Ok);
    EXPECT_EQ(welcome.picture.status, CheckStatus::Ok);
    EXPECT_EQ(welcome.sound.status, CheckStatus::Ok);
    EXPECT_TRUE(welcome.notes.isEmpty()) << welcome.notes.join(QLatin1Char('\n')).toStdString();
    QString report;
    QTextStream out(&report);
    EXPECT_NE(runContentCheck(folder, out), kCheckBadArgument) << report.toStdString();

    // Named from inside that folder, the data folder is the same folder.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(parent.path().toStdString());
    QString relativeReport;
    QTextStream relativeOut(&relativeReport);
    runContentCheck(QStringLiteral("DATA"), relativeOut);
    std::filesystem::current_path(before);
    EXPECT_EQ(relativeReport, report);
}

} // namespace
