// Texts that a hostile or careless data folder may hold, shaped to cost the
// word-wrapped text area the most: one long line with no place to break it.
// Whatever the text, a key answers at once, with the page or with one error
// box, and the next key shows its page. Every answer is read from the X
// server (windows, pixels), which answers while the program is stuck, so a
// program that hangs in laying the text out fails here after a bounded wait.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/letters.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "platform/ui/memo.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

const QString kTooLongText = QStringLiteral("Text exceeds memo capacity.");
// Ю, the widest letter of the text area's bold serif: the most screen lines for its length.
constexpr char kWidestLetter = '\xDE';
constexpr QChar kWidestCharacter = QChar(0x042E);
// A program that lays the text out at all answers well within a second; this
// only keeps one that is stuck from holding the suite.
constexpr auto kAnswerPatience = 20s;

// A careless data folder's page text: one line of Б without a space, a little under 4 MiB.
QByteArray fourMebibyteLine() { return QByteArray(4 * 1024 * 1024 - 10, '\xC1'); }

bool sameColour(const QColor& seen, const QColor& wanted)
{
    return std::abs(seen.red() - wanted.red()) + std::abs(seen.green() - wanted.green())
        + std::abs(seen.blue() - wanted.blue())
        < 30;
}

class LongText : public ::testing::Test {
protected:
    void SetUp() override { m_folder = alphabetFolder(); }

    void writeLetterText(const QString& letter, const QByteArray& bytes)
    {
        m_folder->writeBytes(letter + QStringLiteral("/letter_text.txt"), bytes);
    }

    // Starts the program and waits for the welcome sound to end.
    void start()
    {
        m_run = std::make_unique<TolvikaRun>(LaunchOptions{.data = m_folder->path().toStdString()});
        m_run->mainWindow();
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << "the welcome sound never ended";
    }

    // Whether the picture area shows the page's own colour, read from the screen.
    bool pictureShows(const QString& letter)
    {
        const TopWindow main = m_run->mainWindow();
        const QPoint centre = main.geometry.topLeft() + QPoint(main.geometry.width() / 2, 230);
        const QColor seen = session().screen().grab(QRect(centre, QSize(1, 1))).pixelColor(0, 0);
        return sameColour(seen, pageColour(pageIndexOf(letter)));
    }

    // The key answered: a box came up or the page's picture is on the screen.
    void expectAnswerTo(const QString& letter)
    {
        session().screen().key(keysymOf(letter));
        const bool answered = waitUntil([&] { return !m_run->otherWindows().empty() || pictureShows(letter); },
                                        kAnswerPatience);
        ASSERT_TRUE(answered) << "no box and no page " << kAnswerPatience.count() << " s after the key; the program:\n"
                              << m_run->threadStacks();
    }

    // The letter's page shows, with its text, and its sound has ended.
    void expectPage(const QString& letter, const QString& text)
    {
        EXPECT_TRUE(waitUntil([&] { return pictureShows(letter); }, kAnswerPatience))
            << "no picture of " << letter.toStdString();
        EXPECT_TRUE(waitUntil([&] { return m_run->memoText() == text; }, kAnswerPatience))
            << "text area holds " << m_run->memoText().size() << " characters";
        EXPECT_TRUE(m_run->otherWindows().empty());
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << "the page's sound never ended";
    }

    std::unique_ptr<testcontent::ContentFolder> m_folder;
    std::unique_ptr<TolvikaRun> m_run;
};

TEST_F(LongText, OneLineOfFourMebibytesGivesOneErrorBoxAndTheNextKeyItsPage)
{
    writeLetterText(kLetterB, fourMebibyteLine());
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(expectAnswerTo(kLetterB));
    ASSERT_TRUE(m_run->waitForOtherWindows(1)) << "boxes on screen: " << m_run->otherWindows().size();
    const auto tree = m_run->controls();
    EXPECT_TRUE(tree && tree->find([](const Accessible& a) {
        return a.name == kTooLongText || a.text == kTooLongText;
    })) << "the box does not read "
        << kTooLongText.toStdString();
    session().screen().key("Return");
    ASSERT_TRUE(m_run->waitForOtherWindows(0));
    ASSERT_TRUE(waitUntil([&] { return m_run->memoFocused(); })) << "the text area did not get the focus back";

    ASSERT_NO_FATAL_FAILURE(expectAnswerTo(kLetterV));
    expectPage(kLetterV, pageText(pageIndexOf(kLetterV)));
}

TEST_F(LongText, OneLineOfTheWidestLetterAtTheCapacityShowsAndTheNextKeyChangesThePage)
{
    writeLetterText(kLetterB, QByteArray(TMemo::kCapacity, kWidestLetter));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(expectAnswerTo(kLetterB));
    ASSERT_NO_FATAL_FAILURE(expectPage(kLetterB, QString(TMemo::kCapacity, kWidestCharacter)));

    ASSERT_NO_FATAL_FAILURE(expectAnswerTo(kLetterV));
    expectPage(kLetterV, pageText(pageIndexOf(kLetterV)));
}

// The Help window reads help.txt through the same text area capacity.
TEST_F(LongText, HelpTextOfOneLineOfFourMebibytesGivesOneErrorBoxAndTheWindowKeepsItsText)
{
    m_folder->writeBytes(QStringLiteral("help.txt"), fourMebibyteLine());
    ASSERT_NO_FATAL_FAILURE(start());
    session().screen().click(m_run->centreOf(QStringLiteral("Помощь")));
    ASSERT_TRUE(waitUntil([&] { return !m_run->otherWindows().empty(); }, kAnswerPatience))
        << "nothing came up " << kAnswerPatience.count() << " s after the click; the program:\n"
        << m_run->threadStacks();
    ASSERT_TRUE(m_run->waitForOtherWindows(1));
    const auto box = m_run->controls();
    EXPECT_TRUE(box && box->find([](const Accessible& a) { return a.name == kTooLongText || a.text == kTooLongText; }))
        << "the box does not read " << kTooLongText.toStdString();
    session().screen().key("Return");

    // Then the window shows, with its built-in notice; Enter on its OK button closes it.
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto windows = m_run->otherWindows();
            return windows.size() == 1 && windows.front().title == "Помощь";
        },
        kAnswerPatience));
    const auto help = m_run->controls();
    EXPECT_TRUE(help && help->find([](const Accessible& a) {
        return a.role == QStringLiteral("text") && a.text.startsWith(QStringLiteral("Здесь вы должны видеть"));
    })) << "the Help window does not show its built-in notice";
    session().screen().key("Return");
    ASSERT_TRUE(m_run->waitForOtherWindows(0));
    ASSERT_TRUE(waitUntil([&] { return m_run->memoFocused(); })) << "the text area did not get the focus back";
    ASSERT_NO_FATAL_FAILURE(expectAnswerTo(kLetterV));
    expectPage(kLetterV, pageText(pageIndexOf(kLetterV)));
}

} // namespace
} // namespace desktop
