// A program folder whose name is not UTF-8, as an archive made on an older
// desktop unpacks it: Tolvika still reads everything from the DATA folder
// beside it, and shows the folder's name as that person's desktop would, in
// the locale's own letters, or with U+FFFD where a byte means nothing there.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <QFile>
#include <cstdlib>
#include <gtest/gtest.h>

namespace desktop {
namespace {

// "caf" and the Latin-1 "é": in UTF-8, 0xE9 would begin a three-byte character.
constexpr char kLatin1Name[] = "caf\xE9";
// "папка" in KOI8-R, where every Cyrillic letter is a byte that UTF-8 never has alone.
constexpr char kKoi8rName[] = "\xD0\xC1\xD0\xCB\xC1";
constexpr char kKoi8rLocale[] = "ru_RU.KOI8-R";

// A KOI8-R locale made for the test and removed after it: machines rarely have one.
class Koi8rLocale {
public:
    Koi8rLocale()
    {
        std::string folder = (std::filesystem::temp_directory_path() / "tolvika-locale-XXXXXX").string();
        if (!mkdtemp(folder.data()))
            throw std::runtime_error("no temporary folder");
        m_folder = folder;
        const CommandResult made = runCommand(
            {"localedef", "-i", "ru_RU", "-f", "KOI8-R", (m_folder / kKoi8rLocale).string()}, baseEnvironment());
        if (!std::filesystem::exists(m_folder / kKoi8rLocale / "LC_CTYPE"))
            throw std::runtime_error("localedef made no KOI8-R locale (is the locales package installed?): "
                                     + made.output);
    }
    ~Koi8rLocale()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    Koi8rLocale(const Koi8rLocale&) = delete;
    Koi8rLocale& operator=(const Koi8rLocale&) = delete;

    // The program's environment for a desktop session in this locale.
    Environment environment() const { return {{"LANG", kKoi8rLocale}, {"LOCPATH", m_folder.string()}}; }

private:
    std::filesystem::path m_folder;
};

// Whether any object of the program reads exactly the text.
bool shows(TolvikaRun& run, const QString& text)
{
    const auto tree = run.controls();
    return tree && tree->find([&](const Accessible& a) { return a.name == text || a.text == text; });
}

// Whether any object's text holds the line.
bool showsLine(TolvikaRun& run, const QString& line)
{
    const auto tree = run.controls();
    return tree && tree->find([&](const Accessible& a) { return a.text.split(QLatin1Char('\n')).contains(line); });
}

// The folder the run lies in, as the locale shows it: the temporary folder
// above it is ASCII, and its own name is given.
QString shownFolder(const TolvikaRun& run, const QString& name)
{
    return QString::fromStdString(run.folder().parent_path().string()) + QLatin1Char('/') + name + QLatin1Char('/');
}

// In a UTF-8 session: the welcome page with its sound, a letter's page and the
// help text are the folder's own; the field shows the name with U+FFFD for
// the byte; the main window's caption is "Tolvika".
TEST(FolderName, Latin1ByteInAUtf8Session)
{
    auto folder = alphabetFolder();
    XDesktop& screen = session().screen();
    const int bellsBefore = screen.bells();
    TolvikaRun run(LaunchOptions{.data = folder->path().toStdString(), .folderName = kLatin1Name});
    EXPECT_EQ(run.mainWindow().title, "Tolvika");
    EXPECT_TRUE(waitUntil([&] { return run.memoText() == pageText(0); })) << run.memoText().toStdString();
    EXPECT_TRUE(run.waitForRepeatControl(true)) << "the welcome sound was not played to its end";
    EXPECT_TRUE(shows(run, shownFolder(run, QStringLiteral("caf\uFFFD")) + QStringLiteral("DATA/")));

    const QString letter = QStringLiteral("Ж");
    screen.key(keysymOf(letter));
    EXPECT_TRUE(waitUntil([&] { return run.memoText() == pageText(pageIndexOf(letter)); }))
        << run.memoText().toStdString();
    EXPECT_TRUE(run.waitForRepeatControl(true));

    screen.click(run.centreOf(QStringLiteral("Помощь")));
    ASSERT_TRUE(run.waitForOtherWindows(1));
    EXPECT_EQ(run.otherWindows().front().title, "Помощь");
    EXPECT_TRUE(waitUntil([&] { return showsLine(run, QStringLiteral("Нажми на букву.")); }))
        << "the Help window does not show help.txt";
    screen.key("Return");
    EXPECT_TRUE(run.waitForOtherWindows(0));
    EXPECT_EQ(screen.bells(), bellsBefore) << "every sound was found";
}

// In a KOI8-R session the field shows the name in Cyrillic; Help without a
// help.txt names the file the same way in one error box captioned "Tolvika".
TEST(FolderName, Koi8rNameInAKoi8rSession)
{
    const Koi8rLocale locale;
    auto folder = alphabetFolder();
    ASSERT_TRUE(QFile::remove(folder->filePath(QStringLiteral("help.txt"))));
    TolvikaRun run(LaunchOptions{
        .data = folder->path().toStdString(), .folderName = kKoi8rName, .environment = locale.environment()});
    run.mainWindow();
    EXPECT_TRUE(waitUntil([&] { return run.memoText() == pageText(0); })) << run.memoText().toStdString();
    const QString data = shownFolder(run, QStringLiteral("папка")) + QStringLiteral("DATA/");
    EXPECT_TRUE(shows(run, data));
    ASSERT_TRUE(run.waitForRepeatControl(true));

    session().screen().click(run.centreOf(QStringLiteral("Помощь")));
    ASSERT_TRUE(run.waitForOtherWindows(1));
    EXPECT_EQ(run.otherWindows().front().title, "Tolvika");
    EXPECT_TRUE(waitUntil([&] { return shows(run, QStringLiteral("Cannot open file ") + data + "help.txt."); }));
    session().screen().key("Return");
    // The Help window then opens all the same, with its built-in notice.
    ASSERT_TRUE(run.waitForOtherWindows(1));
    EXPECT_EQ(run.otherWindows().front().title, "Помощь");
    session().screen().key("Return");
    EXPECT_TRUE(run.waitForOtherWindows(0));
}

} // namespace
} // namespace desktop
