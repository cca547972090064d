// The program's start end to end. The windows are made and shown exactly as
// the program's own main() does it, in a process whose executable has a data
// folder beside it: a link to this test program, in a folder of its own, run
// for this one test. There the window must show the welcome page before its
// first paint, speak it, and bring the repeat control back at the end.
#include "tests/e2e/alphabet.h"
#include "tests/e2e/main_window_rig.h"

#include "app/application.h"
#include "app/core/path_encoding.h"
#include "app/file_services.h"
#include "app/jpeg_image.h"
#include "app/program_start.h"
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/mci/fake_audio_output.h"
#include "platform/mci/mci_testing.h"
#include "platform/ui/edit.h"
#include "platform/ui/image.h"
#include "platform/ui/memo.h"
#include "player/media_player.h"
#include "tests/support/byte_named_folder.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>
// After jpeglib.h: the decoder's message codes.
#include <jerror.h>

using namespace e2e;

namespace {

// Set for the child process, which then plays the program's part.
constexpr char kChildVariable[] = "TOLVIKA_E2E_START_CHILD";
// Generous bounds for a loaded machine: they only keep a broken build from hanging.
constexpr int kChildPatienceMs = 90'000;
constexpr int kMostRounds = 200;

QByteArray jpegData(const TImage& image)
{
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(image.Picture().Graphic());
    return jpeg ? jpeg->Data() : QByteArray();
}

int heard(const mci::FakeAudioOutput& output, std::int16_t level)
{
    const auto samples = output.played();
    return static_cast<int>(std::count(samples.begin(), samples.end(), level));
}

// What Image1 held, and the text area showed, when Image1 was first painted.
class FirstPaint : public QObject {
public:
    FirstPaint(TImage& image, TMemo& memo) : m_memo(memo) { image.installEventFilter(this); }
    bool seen = false;
    QByteArray picture;
    QStringList lines;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            picture = jpegData(*static_cast<TImage*>(watched));
            lines = m_memo.Lines();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMemo& m_memo;
};

// Removes a folder tree by its bytes when it goes: Qt's own removal passes
// over a name that is not UTF-8.
struct RemovalByBytes {
    std::filesystem::path path;
    ~RemovalByBytes()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// What the child process has to look at once the program's start is done.
struct Started {
    TApplication& app;
    TfmMain& main;
    mci::FakeAudioOutput& output;
    ScriptedDialogs& dialogs;
    FirstPaint& firstPaint;
};

// The program's part, in the child process: starts as main.cpp does, then,
// inside the event loop, waits for the first paint and runs the checks.
void startAsTheProgramDoes(const std::function<void(Started&)>& checks)
{
    mci::FakeAudioOutput output;
    mci::ScopedAudioOutputForTesting outputScope(output);
    ScriptedDialogs dialogs;
    UserDialogsOverride dialogsScope(dialogs);
    TApplication& app = *TApplication::instance();

    TfmMain* main = nullptr;
    std::unique_ptr<FirstPaint> firstPaint;
    QTimer::singleShot(0, &app, [&] {
        for (int round = 0; round < kMostRounds && !firstPaint->seen; ++round)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_TRUE(firstPaint->seen);
        Started started{app, *main, output, dialogs, *firstPaint};
        checks(started);
        app.quit();
    });
    app.setWindowIcon(QIcon(QStringLiteral(":/windows/resources/icon/MAINICON.ico")));
    const int code = RunProgram(app, [&](TApplication& application) {
        main = application.CreateForm<TfmMain>();
        auto* about = application.CreateForm<TfmPrgAbout>();
        auto* help = application.CreateForm<TfmHelp>();
        main->setCompanions(help, about);
        firstPaint = std::make_unique<FirstPaint>(*main->Image1, *main->Memo1);
    });
    EXPECT_EQ(code, 0);
}

// The test's part: runs this test again as the program, from a link to this
// executable named "tolvika" with `data` made beside it, and passes on its
// verdict. With `folderName` the program lies in a folder of that name, given
// as bytes and reached through a symbolic link, since the child's path is
// passed on as text; the child then shows names as a UTF-8 desktop does.
void runAsTheProgram(const std::function<void(ContentFolder&)>& data, const QByteArray& folderName = {})
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const RemovalByBytes removal{QFile::encodeName(place.path()).toStdString()};
    QString programFolder = place.path();
    if (!folderName.isEmpty()) {
        ASSERT_EQ(mkdir((QFile::encodeName(place.path()) + '/' + folderName).constData(), 0700), 0);
        programFolder = place.filePath(QStringLiteral("program"));
        ASSERT_EQ(symlink(folderName.constData(), QFile::encodeName(programFolder).constData()), 0);
    }
    const QString program = programFolder + QStringLiteral("/tolvika");
    const QByteArray self = QFile::encodeName(ProgramFilePath());
    if (link(self.constData(), QFile::encodeName(program).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(ProgramFilePath(), program));
    }
    ContentFolder folder(programFolder + QStringLiteral("/DATA"));
    data(folder);
    const QStringList before = folder.listing();

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    if (!folderName.isEmpty())
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    ASSERT_TRUE(child.waitForFinished(kChildPatienceMs)) << "the child did not end";
    const QString report = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("[  PASSED  ] 1 test."))) << report.toStdString();
    EXPECT_EQ(folder.listing(), before) << "nothing was written to the data folder";
}

bool isTheProgram() { return qEnvironmentVariableIsSet(kChildVariable); }

QString dataBesideTheProgram() { return FolderPart(ProgramFilePath()) + QStringLiteral("DATA/"); }

} // namespace

// Started beside a data folder, the window shows the welcome page from its
// first paint on, plays the welcome sound, and shows the repeat control when it ends.
TEST(StartUp, WelcomePageFromTheFirstPaintAndItsSound)
{
    const PageContent welcome = welcomeContent();
    if (!isTheProgram()) {
        runAsTheProgram([&](ContentFolder& data) { data.writeWelcome(welcome); });
        return;
    }
    startAsTheProgramDoes([&](Started& s) {
        EXPECT_EQ(s.firstPaint.lines, welcome.lines) << "the welcome text was there at the first paint";
        EXPECT_EQ(s.firstPaint.picture, solidJpeg(welcome.colour)) << "and the welcome picture";
        const QImage shot = s.main.Image1->grab().toImage();
        EXPECT_TRUE(closeColours(shot.pixelColor(shot.width() / 2, shot.height() / 2), welcome.colour));

        EXPECT_EQ(s.main.eDataFolder->Text(), dataBesideTheProgram());
        EXPECT_EQ(s.main.browser().DataFolder(), dataBesideTheProgram());
        EXPECT_FALSE(s.main.MediaPlayer1->isVisible()) << "hidden while the welcome sound plays";
        EXPECT_TRUE(s.main.browser().AutoPlayArmed());
        s.output.advance(static_cast<std::size_t>(welcome.frames) + 10);
        for (int round = 0; round < kMostRounds && !s.main.MediaPlayer1->isVisible(); ++round)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_EQ(heard(s.output, welcome.level), welcome.frames) << "the welcome sound, once, in full";
        EXPECT_TRUE(s.main.MediaPlayer1->isVisible()) << "back at the end of the sound";
        EXPECT_EQ(s.dialogs.beeps(), 0);
        EXPECT_TRUE(s.dialogs.errorBoxes().empty());
        EXPECT_EQ(s.app.ApplicationTitle(), QStringLiteral("Tolvika")) << "from the executable's name";
    });
}

// From a folder whose name is not UTF-8 ("caf" and Latin-1 0xE9) the program
// still finds the data folder beside it: the welcome page and its sound, the
// folder kept byte for byte, eDataFolder showing it with U+FFFD for the byte,
// and the title from the executable's own name.
TEST(StartUp, FromAFolderNamedWithBytesThatAreNoUtf8)
{
    const PageContent welcome = welcomeContent();
    if (!isTheProgram()) {
        runAsTheProgram([&](ContentFolder& data) { data.writeWelcome(welcome); }, testcontent::ByteNamedFolder::kName);
        return;
    }
    startAsTheProgramDoes([&](Started& s) {
        EXPECT_EQ(s.firstPaint.lines, welcome.lines);
        EXPECT_EQ(s.firstPaint.picture, solidJpeg(welcome.colour));
        const QByteArray dataFolder = pathBytes(s.main.browser().DataFolder());
        EXPECT_TRUE(dataFolder.endsWith("/caf\xE9/DATA/")) << dataFolder.toStdString();
        // The temporary folder above it is ASCII; only the byte 0xE9 means nothing.
        EXPECT_EQ(s.main.eDataFolder->Text(),
                  QString::fromLatin1(dataFolder).replace(QChar(0xE9), QChar::ReplacementCharacter));
        s.output.advance(static_cast<std::size_t>(welcome.frames) + 10);
        for (int round = 0; round < kMostRounds && !s.main.MediaPlayer1->isVisible(); ++round)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_EQ(heard(s.output, welcome.level), welcome.frames) << "the welcome sound, in full";
        EXPECT_EQ(s.dialogs.beeps(), 0);
        EXPECT_TRUE(s.dialogs.errorBoxes().empty());
        EXPECT_EQ(s.app.ApplicationTitle(), QStringLiteral("Tolvika"));
    });
}

// An error while the welcome page loads ends the start's handler there, in
// one box under the program's title; the window still appears, with the data
// folder set and shown, the welcome text that was loaded, the title picture
// it was made with, and no sound; the next key is answered.
TEST(StartUp, ErrorWhileTheWelcomePageLoads)
{
    const PageContent welcome = welcomeContent();
    const PageContent ya = letterContent(QStringLiteral("Я"));
    if (!isTheProgram()) {
        runAsTheProgram([&](ContentFolder& data) {
            data.writeWelcome(welcome);
            data.writeBytes(QStringLiteral("Main/welcome_img.jpg"), QByteArray("GIF89a") + QByteArray(40, '\0'));
            data.writeLetter(QStringLiteral("Я"), ya);
        });
        return;
    }
    startAsTheProgramDoes([&](Started& s) {
        ASSERT_EQ(s.dialogs.errorBoxes().size(), 1u);
        EXPECT_EQ(s.dialogs.errorBoxes()[0].text, QStringLiteral("JPEG error #%1.").arg(JERR_NO_SOI));
        EXPECT_EQ(s.dialogs.errorBoxes()[0].caption, QStringLiteral("Tolvika"));
        EXPECT_TRUE(s.main.isVisible());
        EXPECT_EQ(s.main.eDataFolder->Text(), dataBesideTheProgram());
        EXPECT_EQ(s.firstPaint.lines, welcome.lines);
        EXPECT_FALSE(s.firstPaint.picture.isEmpty()) << "the title picture the window was made with";
        EXPECT_NE(s.firstPaint.picture, solidJpeg(welcome.colour));
        EXPECT_FALSE(s.main.MediaPlayer1->IsOpen()) << "the welcome sound was never reached";
        EXPECT_TRUE(s.main.browser().AutoPlayArmed());
        EXPECT_EQ(s.dialogs.beeps(), 0);

        QTest::sendKeyEvent(QTest::Click, s.main.Memo1, Qt::Key_Z, QStringLiteral("z"), Qt::NoModifier);
        EXPECT_EQ(s.main.Memo1->Lines(), ya.lines);
        s.output.advance(static_cast<std::size_t>(ya.frames) + 10);
        for (int round = 0; round < kMostRounds && !s.main.MediaPlayer1->isVisible(); ++round)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_EQ(heard(s.output, ya.level), ya.frames);
        EXPECT_TRUE(s.main.MediaPlayer1->isVisible());
        EXPECT_EQ(s.dialogs.errorBoxes().size(), 1u);
    });
}
