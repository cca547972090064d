// tolvika-page as a parent runs it: a page made from a rotated phone photo, a
// voice memo and a typed text comes out as the program reads it (an upright
// baseline 4:2:0 JPEG inside the picture area, Windows-1251 text with CR LF,
// trimmed 16-bit mono PCM) and passes tolvika-check; every kind of source
// works; and every bad input, a folder without write permission and a full
// disk get one clear message and leave the data folder exactly as it was.
#include "tests/tools/page/page_outputs.h"

#include "tests/support/page_tool.h"
#include "tests/support/phone_sources.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using namespace phonesources;
using namespace testfiles;
using namespace pageoutputs;

#ifdef TOLVIKA_BUNDLED_DATA_FOLDER
const QString kBundledFolder = QStringLiteral(TOLVIKA_BUNDLED_DATA_FOLDER);
#else
const QString kBundledFolder;
#endif

// The Windows-1251 bytes of "Бб", "Бабушка", each with CR LF.
const QByteArray kGrandmaText("\xC1\xE1\r\n\xC1\xE0\xE1\xF3\xF8\xEA\xE0\r\n");

// A new data folder, made by the tool itself.
QString newDataFolder(const QTemporaryDir& work)
{
    const QString folder = work.filePath(QStringLiteral("МояАзбука"));
    const pagetool::Run made = pagetool::run({QStringLiteral("--new"), folder});
    if (made.status != 0)
        ADD_FAILURE() << "--new failed: " << made.err.toStdString();
    return folder;
}

// The checks every page made here must pass: upright JPEG of the fitted size,
// baseline 4:2:0; WAV 16-bit mono PCM at a rate the program plays.
void expectPicture(const QString& path, QSize size)
{
    const QByteArray jpeg = readFile(path);
    const JpegFrame frame = jpegFrame(jpeg);
    EXPECT_TRUE(frame.baseline);
    EXPECT_EQ(frame.size, size);
    EXPECT_EQ(frame.components, 3);
    EXPECT_EQ(frame.lumaSampling, 0x22) << "4:2:0";
    EXPECT_EQ(frame.chromaSampling, 0x11);
    const QImage picture = QImage::fromData(jpeg);
    EXPECT_TRUE(near(picture.pixelColor(size.width() / 2, size.height() / 4), kTopColour)) << "upright";
    EXPECT_TRUE(near(picture.pixelColor(size.width() / 2, size.height() * 3 / 4), kBottomColour)) << "upright";
}

WavFacts expectSound(const QString& path, int rate)
{
    const WavFacts wav = wavFacts(readFile(path));
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.rate, rate);
    return wav;
}

bool mountSmallDisk(const QString& where, const char* size)
{
    const QByteArray options = QByteArray("size=") + size;
    return ::mount("tmpfs", QFile::encodeName(where).constData(), "tmpfs", 0, options.constData()) == 0;
}

} // namespace

// The parent's page: a 4000 × 3000 photo stored sideways with orientation 6,
// a text with "\n", an m4a memo with 0.8 s of silence at each end. The page
// shows whole, so the tool ends with 0 and prints its checked row.
TEST(PageExecutable, PhonePhotoTextAndMemoMakeAPage)
{
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    writeFile(work.filePath(QStringLiteral("grandma.jpg")), rotatedPhonePhoto({3000, 4000}));
    makeMemo(work.filePath(QStringLiteral("babushka.m4a")));

    const pagetool::Run run = pagetool::run({data, QStringLiteral("б"), QStringLiteral("--picture"),
                                             work.filePath(QStringLiteral("grandma.jpg")), QStringLiteral("--text"),
                                             QStringLiteral("Бб\\nБабушка"), QStringLiteral("--sound"),
                                             work.filePath(QStringLiteral("babushka.m4a"))});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("turned upright by its orientation, scaled down to 332×443")))
        << run.out.toStdString();
    EXPECT_TRUE(
        run.out.contains(QRegularExpression(QStringLiteral("\\nБ +ok 2 lines +ok 332×443 +ok 1\\.[0-9]+ s\\n"))))
        << run.out.toStdString();

    const QString page = data + QStringLiteral("/Б/");
    expectPicture(page + QStringLiteral("letter_img.jpg"), {332, 443});
    EXPECT_EQ(readFile(page + QStringLiteral("letter_text.txt")), kGrandmaText);
    const WavFacts wav = expectSound(page + QStringLiteral("letter_voice.wav"), 44100);
    EXPECT_NEAR(wav.seconds(), 1.2 + 0.17, 0.08) << "the 0.8 s of silence at each end trimmed to margins";
    const auto firstLoud = std::find_if(wav.samples.begin(), wav.samples.end(),
                                        [](std::int16_t s) { return std::abs(s) > 3000; });
    EXPECT_LT(static_cast<double>(firstLoud - wav.samples.begin()) / wav.rate, 0.1) << "the voice starts at once";
}

// The same page put into a copy of the bundled folder: tolvika-check passes
// the whole folder.
TEST(PageExecutable, TheContentCheckerPassesTheFolder)
{
    if (kBundledFolder.isEmpty())
        GTEST_SKIP() << "the build has no bundled data folder";
    const QTemporaryDir work;
    const QString data = work.filePath(QStringLiteral("DATA"));
    runTool(QStringLiteral("cp"), {QStringLiteral("-r"), kBundledFolder, data});
    pagetool::makePage(data, QStringLiteral("Ж"), work.path());

    QProcess check;
    check.start(QStringLiteral(TOLVIKA_CHECK_EXECUTABLE), {data});
    ASSERT_TRUE(check.waitForFinished(60'000));
    const QString report = QString::fromUtf8(check.readAllStandardOutput());
    EXPECT_EQ(check.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Summary: 104 files, 104 ok"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QRegularExpression(QStringLiteral("\\nЖ +ok 2 lines +ok 332×443 +ok"))))
        << report.toStdString();
}

// Every picture kind with every sound kind, one page each: each page shows
// whole, upright at its fitted size, with its sound at the rate that suits it.
TEST(PageExecutable, EveryKindOfSourceMakesAPage)
{
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    const QImage upright = uprightPicture({1200, 900});
    const struct {
        const char* picture;
        const char* sound;
        const char* letter;
        int rate;
    } pages[] = {{"p.heic", "s.m4a", "А", 44100}, {"p.png", "s.ogg", "В", 44100},  {"p.webp", "s.amr", "Г", 22050},
                 {"p.gif", "s.mp3", "Д", 44100},  {"p.bmp", "s.flac", "Е", 44100}, {"p.tif", "s.wav", "Ё", 44100}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.picture);
        const QString picture = work.filePath(QLatin1String(page.picture));
        const QString sound = work.filePath(QLatin1String(page.sound));
        convertPicture(upright, picture);
        makeMemo(sound);
        const pagetool::Run run = pagetool::run({data, QString::fromUtf8(page.letter), QStringLiteral("--picture"),
                                                 picture, QStringLiteral("--text"), QStringLiteral("Аа"),
                                                 QStringLiteral("--sound"), sound});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QString folder = data + QLatin1Char('/') + QString::fromUtf8(page.letter) + QLatin1Char('/');
        expectPicture(folder + QStringLiteral("letter_img.jpg"), {591, 443});
        EXPECT_EQ(readFile(folder + QStringLiteral("letter_text.txt")), QByteArray("\xC0\xE0\r\n"));
        EXPECT_NEAR(expectSound(folder + QStringLiteral("letter_voice.wav"), page.rate).seconds(), 1.37, 0.08);
    }
    // The welcome page is a page like the others.
    convertPicture(upright, work.filePath(QStringLiteral("family.png")));
    const pagetool::Run welcome = pagetool::run({data, QStringLiteral("--welcome"), QStringLiteral("--picture"),
                                                 work.filePath(QStringLiteral("family.png")), QStringLiteral("--sound"),
                                                 work.filePath(QStringLiteral("s.ogg")), QStringLiteral("--text"),
                                                 QStringLiteral("Привет!")});
    EXPECT_EQ(welcome.status, 0) << welcome.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/Main/welcome_img.jpg")));
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/Main/welcome_sound.wav")));
}

// Each bad input: its exit status, one line on standard error that names
// the cause, and the data folder exactly as it was (an earlier page stays).
TEST(PageExecutable, BadInputLeavesTheFolderUnchanged)
{
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    pagetool::makePage(data, QStringLiteral("Б"), work.path());
    const auto file = [&work](const char* name) { return work.filePath(QLatin1String(name)); };
    writeFile(file("empty.m4a"), {});
    QDir().mkpath(file("folder.jpg"));
    writeFile(file("photo_named.m4a"), readFile(file("photo.jpg")));
    writeFile(file("words.jpg"), "Бабушка\n");
    const QByteArray memo = readFile(file("memo.m4a"));
    writeFile(file("cut.m4a"), memo.left(memo.size() / 2));
    writeFile(file("huge.jpg"), jpegClaimingSize(20000, 20000));
    // Under the tool's limit for a source file, but stored larger than the text area holds.
    writeFile(file("long.txt"), QString(QString(100, QChar(u'Б')) + QLatin1Char('\n')).repeated(170).toUtf8());
    const std::string before = snapshot(data);

    const struct {
        QStringList arguments;
        int status;
        const char* says;
    } cases[] = {
        {{QStringLiteral("В"), QStringLiteral("--picture"), file("missing.jpg")}, 1, "missing.jpg: no such file"},
        {{QStringLiteral("В"), QStringLiteral("--picture"), file("folder.jpg")}, 1, "folder.jpg: a folder"},
        {{QStringLiteral("В"), QStringLiteral("--sound"), file("photo_named.m4a")},
         1,
         "photo_named.m4a: cannot use it as a sound: it holds no sound"},
        {{QStringLiteral("В"), QStringLiteral("--picture"), file("words.jpg")},
         1,
         "words.jpg: cannot use it as a picture: it is not a picture"},
        {{QStringLiteral("В"), QStringLiteral("--sound"), file("empty.m4a")}, 1, "empty.m4a: the file is empty"},
        {{QStringLiteral("В"), QStringLiteral("--sound"), file("cut.m4a")}, 1, "cut.m4a: cannot use it as a sound"},
        {{QStringLiteral("В"), QStringLiteral("--picture"), file("huge.jpg")}, 1, "20000 × 20000 pixels"},
        {{QStringLiteral("В"), QStringLiteral("--text"), QStringLiteral("Вв\\nВолк 🐺")},
         1,
         "\"🐺\" (U+1F43A) at line 2, character 6"},
        {{QStringLiteral("Б"), QStringLiteral("--replace"), QStringLiteral("--text-file"), file("long.txt")},
         1,
         "the text takes 17340 bytes"},
        {{QStringLiteral("W"), QStringLiteral("--text"), QStringLiteral("Ww")},
         2,
         "\"W\" is not a letter of the Russian alphabet"},
        {{QStringLiteral("Б"), QStringLiteral("--text"), QStringLiteral("Бб")},
         1,
         "letter_text.txt is there already; add --replace"},
        // A good picture with a bad sound: the picture is not written either.
        {{QStringLiteral("Б"), QStringLiteral("--replace"), QStringLiteral("--picture"), file("photo.jpg"),
          QStringLiteral("--sound"), file("cut.m4a")},
         1,
         "cut.m4a"},
    };
    for (const auto& c : cases) {
        const pagetool::Run run = pagetool::run(QStringList{data} + c.arguments);
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(run.status, c.status);
        const QString firstLine = run.err.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(firstLine.startsWith(QStringLiteral("tolvika-page: "))) << run.err.toStdString();
        EXPECT_TRUE(firstLine.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << "one line: " << run.err.toStdString();
        EXPECT_EQ(snapshot(data), before) << "the data folder changed";
    }
}

// Found by fuzzing: a 523-byte HEIC whose stream makes the decoder behind
// libheif ask for gigabytes. The tool's memory limit turns that into a
// refusal. Under the sanitizers the tool runs without its limit.
TEST(PageExecutable, CraftedHeifStaysWithinTheMemoryLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the tool has no memory limit under the address sanitizer";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the tool has no memory limit under the address sanitizer";
#endif
#endif
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    const std::string before = snapshot(data);
    const pagetool::Run run = pagetool::run(
        {data, QStringLiteral("Б"), QStringLiteral("--picture"),
         QStringLiteral(TOLVIKA_TEST_FIXTURES "/page/heif_decoding_to_gigabytes.heic")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("heif_decoding_to_gigabytes.heic: cannot use it as a picture")))
        << run.err.toStdString();
    EXPECT_EQ(snapshot(data), before);
}

// Without write permission in the data folder, nothing is converted or
// written, and the message says where. Run as an ordinary user when the
// tests run as root, whom permissions do not stop.
TEST(PageExecutable, FolderWithoutWritePermissionIsRefused)
{
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    pagetool::makePage(data, QStringLiteral("Б"), work.path());
    // The ordinary user must reach the sources and read the folder.
    for (const QString& path :
         {work.path(), work.filePath(QStringLiteral("photo.jpg")), work.filePath(QStringLiteral("memo.m4a"))})
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther | QFile::ExeOther);
    runTool(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w,a+rX"), data});
    const std::string before = snapshot(data);
    const QStringList asOrdinaryUser = ::geteuid() == 0
        ? QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                      QStringLiteral("--clear-groups")}
        : QStringList{};

    for (const QString& letter : {QStringLiteral("Б"), QStringLiteral("Ц")}) {
        const pagetool::Run run = pagetool::run({data, letter, QStringLiteral("--replace"), QStringLiteral("--picture"),
                                                 work.filePath(QStringLiteral("photo.jpg"))},
                                                asOrdinaryUser);
        EXPECT_EQ(run.status, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("tolvika-page: no permission to write in ")))
            << run.err.toStdString();
    }
    EXPECT_EQ(snapshot(data), before);
    runTool(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), data});
}

// A page file that is read-only (a folder copied from a disc or a read-only
// archive) is replaced with --replace like any other and keeps its mode. Run
// as an ordinary user when the tests run as root, whom modes do not stop.
TEST(PageExecutable, ReadOnlyPageFileIsReplaced)
{
    const QTemporaryDir work;
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(work.path()).constData(), 65534, 65534), 0);
    }
    const QStringList asOrdinaryUser = root
        ? QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                      QStringLiteral("--clear-groups")}
        : QStringList{};
    const QString data = work.filePath(QStringLiteral("data"));
    ASSERT_EQ(pagetool::run({QStringLiteral("--new"), data}, asOrdinaryUser).status, 0);
    // The page still lacks its picture and sound, so each run ends with status 1.
    pagetool::run({data, QStringLiteral("Б"), QStringLiteral("--text"), QStringLiteral("Бб")}, asOrdinaryUser);
    const QString text = data + QStringLiteral("/Б/letter_text.txt");
    ASSERT_EQ(readFile(text), QByteArray("\xC1\xE1\r\n"));
    const std::filesystem::path textPath = QFile::encodeName(text).toStdString();
    std::filesystem::permissions(textPath, std::filesystem::perms(0444));

    const pagetool::Run run = pagetool::run({data, QStringLiteral("Б"), QStringLiteral("--text"),
                                             QStringLiteral("Бб\\nБарабан"), QStringLiteral("--replace")},
                                            asOrdinaryUser);
    EXPECT_FALSE(run.err.contains(QStringLiteral("cannot write"))) << run.err.toStdString();
    EXPECT_EQ(readFile(text), QByteArray("\xC1\xE1\r\n\xC1\xE0\xF0\xE0\xE1\xE0\xED\r\n"));
    EXPECT_EQ(std::filesystem::status(textPath).permissions(), std::filesystem::perms(0444));
}

// A disk that fills up half-way: the picture and the text fit, the sound
// does not; the tool says so, and the old page is as it was, with no
// temporary file left behind.
TEST(PageExecutable, FullDiskLeavesTheFolderUnchanged)
{
    const QTemporaryDir work;
    const QString disk = work.filePath(QStringLiteral("disk"));
    QDir().mkpath(disk);
    if (::geteuid() != 0 || !mountSmallDisk(disk, "400k"))
        GTEST_SKIP() << "a small file system cannot be mounted here (needs root)";
    struct Unmount {
        QString path;
        ~Unmount() { ::umount(QFile::encodeName(path).constData()); }
    } unmount{disk};

    const QString data = disk + QStringLiteral("/DATA");
    ASSERT_EQ(pagetool::run({QStringLiteral("--new"), data}).status, 0);
    pagetool::makePage(data, QStringLiteral("Б"), work.path());
    MemoShape longer;
    longer.toneSeconds = 8.0; // some 700 KB of WAV: more than the disk holds
    makeMemo(work.filePath(QStringLiteral("long.m4a")), longer);
    const std::string before = snapshot(data);

    const pagetool::Run run = pagetool::run({data, QStringLiteral("Б"), QStringLiteral("--replace"),
                                             QStringLiteral("--picture"), work.filePath(QStringLiteral("photo.jpg")),
                                             QStringLiteral("--text"), QStringLiteral("Бб\\nБарабан"),
                                             QStringLiteral("--sound"), work.filePath(QStringLiteral("long.m4a"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("No space left on device"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("the data folder was not changed"))) << run.err.toStdString();
    EXPECT_EQ(snapshot(data), before);
}

// --new makes the marker and the help text in Windows-1251, refuses a folder
// that is not empty, and the tool refuses a folder without the marker.
TEST(PageExecutable, NewDataFolder)
{
    const QTemporaryDir work;
    const QString data = newDataFolder(work);
    EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("data.txt"), QStringLiteral("help.txt")}));
    const QByteArray help = readFile(data + QStringLiteral("/help.txt"));
    EXPECT_TRUE(help.contains("\r\n"));
    EXPECT_TRUE(help.contains("\xCA\xC0\xCA")) << "КАК in Windows-1251";

    const pagetool::Run again = pagetool::run({QStringLiteral("--new"), data});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("is not empty"))) << again.err.toStdString();

    const pagetool::Run unmarked = pagetool::run(
        {work.path(), QStringLiteral("А"), QStringLiteral("--text"), QStringLiteral("Аа")});
    EXPECT_EQ(unmarked.status, 1);
    EXPECT_TRUE(unmarked.err.contains(QStringLiteral("has no data.txt"))) << unmarked.err.toStdString();

    // A page given only a text is written, but does not show whole: status 1,
    // and the message says what the page still needs.
    const pagetool::Run partial = pagetool::run(
        {data, QStringLiteral("А"), QStringLiteral("--text"), QStringLiteral("Аа")});
    EXPECT_EQ(partial.status, 1);
    EXPECT_EQ(readFile(data + QStringLiteral("/А/letter_text.txt")), QByteArray("\xC0\xE0\r\n"));
    EXPECT_TRUE(partial.err.contains(QStringLiteral("still needs its picture (--picture), its sound (--sound)")))
        << partial.err.toStdString();

    // A name whose bytes are not UTF-8 ("caf" and Latin-1 é) is refused; no
    // other folder is made in its place.
    const QStringList withByteName{QStringLiteral("sh"), QStringLiteral("-c"),
                                   QStringLiteral("w=$1; shift; exec \"$@\" \"$(printf '%s/caf\\351' \"$w\")\""),
                                   QStringLiteral("sh"), work.path()};
    const pagetool::Run byteName = pagetool::run({QStringLiteral("--new")}, withByteName);
    EXPECT_EQ(byteName.status, 2);
    EXPECT_TRUE(byteName.err.contains(QStringLiteral("is not UTF-8 text"))) << byteName.err.toStdString();
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(data).fileName()});
}
