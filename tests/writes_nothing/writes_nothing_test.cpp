// The program writes nothing: run as main.cpp runs it, from the start through
// a hundred keys, the Help and About windows, the real folder dialog and the
// confirmed exit, inside fresh home, settings, cache, data, runtime and
// temporary folders, and with its data folder among them. Afterwards every
// entry below them must be exactly as before: nothing created, removed or
// changed (type, size, permissions, modification and change times).
#include "tests/support/content_files.h"
#include "tests/writes_nothing/sandbox.h"

#include "app/application.h"
#include "app/program_start.h"
#include "platform/ui/bit_btn.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "player/media_player.h"
#include "tests/support/test_files.h"
#include "windows/help.h"
#include "windows/main.h"
#include "windows/prg_about.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// How often the helpers look for a box to answer; a person would take longer.
constexpr int kPollMilliseconds = 10;
// The whole run is given up after this long, far beyond what it needs.
constexpr int kGiveUpMilliseconds = 90'000;
// How long one key's sound may take to end before the next key is typed anyway.
constexpr int kSoundEndMilliseconds = 3'000;
constexpr int kKeys = 100;
// The sounds are short, so that a hundred pages play in a few seconds.
constexpr int kSoundMilliseconds = 30;

// One line per entry: its kind, size, permissions and times, to the nanosecond.
std::map<std::string, std::string> listing(const std::string& root)
{
    std::map<std::string, std::string> entries;
    auto describe = [](const fs::path& path) {
        struct stat s {};
        if (lstat(path.c_str(), &s) != 0)
            return std::string("vanished");
        const char* kind = S_ISDIR(s.st_mode) ? "dir"
            : S_ISREG(s.st_mode)              ? "file"
            : S_ISLNK(s.st_mode)              ? "link"
                                              : "other";
        return std::string(kind) + " size " + std::to_string(s.st_size) + " mode " + std::to_string(s.st_mode & 07777)
            + " mtime " + std::to_string(s.st_mtim.tv_sec) + "." + std::to_string(s.st_mtim.tv_nsec) + " ctime "
            + std::to_string(s.st_ctim.tv_sec) + "." + std::to_string(s.st_ctim.tv_nsec);
    };
    entries["."] = describe(root);
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries[fs::relative(entry.path(), root).string()] = describe(entry.path());
    return entries;
}

std::string differences(const std::map<std::string, std::string>& before,
                        const std::map<std::string, std::string>& after)
{
    std::string report;
    for (const auto& [path, was] : before) {
        const auto now = after.find(path);
        if (now == after.end())
            report += "removed " + path + "\n";
        else if (now->second != was)
            report += "changed " + path + ": " + was + " -> " + now->second + "\n";
    }
    for (const auto& [path, is] : after)
        if (!before.count(path))
            report += "created " + path + ": " + is + "\n";
    return report;
}

// A data folder with the welcome page, every letter and the help text.
QString writeContent(const QString& root)
{
    using namespace testcontent;
    using namespace testfiles;
    const QString folder = root + QStringLiteral("/Kids data/");
    const QByteArray jpeg = builtInJpeg();
    const WavFormat pcm{1, 1, 8000, 16};
    makeFolder(folder + QStringLiteral("Main"));
    writeFile(folder + QStringLiteral("data.txt"), QByteArray());
    writeFile(folder + QStringLiteral("help.txt"), windows1251(QStringLiteral("Помощь\r\nНажми букву.\r\n")));
    writeFile(folder + QStringLiteral("Main/welcome_text.txt"), windows1251(QStringLiteral("Привет!\r\n")));
    writeFile(folder + QStringLiteral("Main/welcome_img.jpg"), jpeg);
    writeFile(folder + QStringLiteral("Main/welcome_sound.wav"), toneWav(pcm, kSoundMilliseconds));
    for (char16_t u = 0x0410; u <= 0x042F; ++u) {
        const QString letter(QChar{u});
        makeFolder(folder + letter);
        writeFile(folder + letter + QStringLiteral("/letter_text.txt"), windows1251(letter + QStringLiteral("\r\n")));
        writeFile(folder + letter + QStringLiteral("/letter_img.jpg"), jpeg);
        writeFile(folder + letter + QStringLiteral("/letter_voice.wav"), toneWav(pcm, kSoundMilliseconds));
    }
    return folder;
}

// Runs `answer` on the first visible top-level widget that `matches`, once,
// from a timer, so that it can answer a modal box that blocks the caller.
void answerWhenShown(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer(qApp); // owned by the application until it answered
    QObject::connect(timer, &QTimer::timeout, timer, [timer, matches, answer] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && matches(widget)) {
                timer->stop();
                timer->deleteLater();
                answer(widget);
                return;
            }
    });
    timer->start(kPollMilliseconds);
}

class Scenario {
public:
    explicit Scenario(const QString& dataFolder) : m_dataFolder(dataFolder) {}

    std::vector<std::string> problems;

    void watchForErrorBoxes()
    {
        auto* timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, timer, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    problems.push_back("an error box: " + box->text().toStdString());
                    box->done(QMessageBox::Ok);
                }
        });
        timer->start(kPollMilliseconds);
    }

    void play()
    {
        auto* main = dynamic_cast<TfmMain*>(TForm::MainForm());
        if (!main) {
            problems.emplace_back("no main window");
            return;
        }
        chooseDataFolder(*main);
        typeKeys(*main);
        visitHelpAndAbout(*main);
        confirmExit(*main);
    }

private:
    void chooseDataFolder(TfmMain& main)
    {
        const QString marker = m_dataFolder + QStringLiteral("data.txt");
        answerWhenShown([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                        [marker](QWidget* w) {
                            auto* dialog = qobject_cast<QFileDialog*>(w);
                            dialog->selectFile(marker);
                            // As the Open button would: accept() is the dialog's own.
                            QMetaObject::invokeMethod(dialog, "accept");
                        });
        QTest::mouseClick(main.btnDir, Qt::LeftButton, {}, main.btnDir->rect().center());
        if (main.browser().DataFolder() != m_dataFolder)
            problems.push_back("the folder dialog chose " + main.browser().DataFolder().toStdString());
    }

    void typeKeys(TfmMain& main)
    {
        // Cyrillic and Latin letters, a digit now and then.
        const QString keys = QStringLiteral("фисвуапршолдьтщзйкыегмцчня,.;'[]`1fdult2");
        int wrongPages = 0;
        int letterPages = 0;
        for (int i = 0; i < kKeys; ++i) {
            (void)QTest::qWaitFor([&] { return main.MediaPlayer1->Mode() != mdPlaying; }, kSoundEndMilliseconds);
            const bool playing = main.MediaPlayer1->Mode() == mdPlaying;
            const QChar typed = keys[i % keys.size()];
            // As the toolkit delivers a key to the window: to its focus control, if it has one.
            QWidget* target = main.focusWidget() ? main.focusWidget() : &main;
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(typed), Qt::NoModifier);
            QCoreApplication::processEvents();
            // A Cyrillic letter shows its own page, whose text is the capital.
            if (!playing && typed.unicode() >= 0x0430 && typed.unicode() <= 0x044F) {
                ++letterPages;
                if (main.Memo1->Text() != QString(typed.toUpper()) + QLatin1Char('\n'))
                    ++wrongPages;
            }
        }
        if (wrongPages > 0 || letterPages < kKeys / 2)
            problems.push_back(std::to_string(wrongPages) + " of " + std::to_string(letterPages)
                               + " letter keys did not show their letter's page");
    }

    void visitHelpAndAbout(TfmMain& main)
    {
        auto* help = findForm<TfmHelp>();
        auto* about = findForm<TfmPrgAbout>();
        if (!help || !about) {
            problems.emplace_back("no Help or About window");
            return;
        }
        QTest::mouseClick(main.SpeedButton1, Qt::LeftButton, {}, main.SpeedButton1->rect().center());
        QCoreApplication::processEvents();
        if (!help->isVisible() || !help->Memo1->Text().startsWith(QStringLiteral("Помощь")))
            problems.emplace_back("the Help window did not show the help text");
        QTest::mouseClick(help->btnExit, Qt::LeftButton, {}, help->btnExit->rect().center());
        QTest::mouseClick(main.sbHelp, Qt::LeftButton, {}, main.sbHelp->rect().center());
        QCoreApplication::processEvents();
        if (!about->isVisible())
            problems.emplace_back("the About window did not show");
        QTest::mouseClick(about->btnExit, Qt::LeftButton, {}, about->btnExit->rect().center());
        QCoreApplication::processEvents();
    }

    void confirmExit(TfmMain& main)
    {
        answerWhenShown([](QWidget* w) { return w->objectName() == QLatin1String("TMessageForm"); },
                        [](QWidget* w) {
                            if (auto* yes = w->findChild<QAbstractButton*>(QStringLiteral("Yes")))
                                yes->click();
                        });
        QTest::mouseClick(main.SpeedButton2, Qt::LeftButton, {}, main.SpeedButton2->rect().center());
    }

    template <class T> static T* findForm()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* form = dynamic_cast<T*>(widget))
                return form;
        return nullptr;
    }

    QString m_dataFolder;
};

} // namespace

// Start, keys, Help, About, the folder dialog and exit leave every file and
// folder the program could reach in the user's name as it was.
TEST(WritesNothing, AWholeRunLeavesTheHomeSettingsCachesTempAndDataFoldersUntouched)
{
    const QString dataFolder = writeContent(QString::fromStdString(sandbox().content));
    const auto before = listing(sandbox().root);

    int exitCode = -1;
    Scenario run(dataFolder);
    {
        // As main.cpp does it.
        TApplication app(QStringLiteral("tolvika"));
        app.setWindowIcon(QIcon(QStringLiteral(":/windows/resources/icon/MAINICON.ico")));
        run.watchForErrorBoxes();
        QTimer::singleShot(0, &app, [&run] { run.play(); });
        QTimer::singleShot(kGiveUpMilliseconds, &app, [&run] {
            run.problems.emplace_back("the run did not end; given up");
            QCoreApplication::exit(1);
        });
        exitCode = RunProgram(app, [](TApplication& application) {
            auto* main = application.CreateForm<TfmMain>();
            auto* about = application.CreateForm<TfmPrgAbout>();
            auto* help = application.CreateForm<TfmHelp>();
            main->setCompanions(help, about);
        });
    }

    EXPECT_EQ(exitCode, 0);
    std::string problems;
    for (const std::string& problem : run.problems)
        problems += problem + "\n";
    EXPECT_EQ(problems, "");
    EXPECT_EQ(differences(before, listing(sandbox().root)), "");
}
