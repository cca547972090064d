// The keyboard focus on the real display: it rests on the text area, Tab and
// Shift+Tab bring it straight back there (or, with the repeat control hidden,
// Tab parks it on the Sound check box until the next Tab), and after a click
// on any control of the main window, and closing whatever the click opened, a
// letter key shows its page, once.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

class Focus : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = alphabetFolder();
        m_run = std::make_unique<TolvikaRun>(LaunchOptions{.data = m_folder->path().toStdString()});
        m_run->mainWindow();
        ASSERT_TRUE(m_run->waitForRepeatControl(true));
    }

    XDesktop& screen() { return session().screen(); }

    // The letter shows its page, with no beep and no other window.
    void expectLetterShowsItsPage(const QString& letter, const std::string& after)
    {
        const int bells = settled([&] { return screen().bells(); });
        screen().key(keysymOf(letter));
        EXPECT_TRUE(waitUntil([&] { return m_run->memoText() == pageText(pageIndexOf(letter)); }))
            << "after " << after << ": " << m_run->memoText().toStdString();
        EXPECT_TRUE(m_run->memoFocused()) << "after " << after;
        EXPECT_TRUE(m_run->waitForRepeatControl(true)) << "after " << after;
        EXPECT_EQ(screen().bells(), bells) << "after " << after;
        EXPECT_TRUE(m_run->otherWindows().empty()) << "after " << after;
    }

    // The focus rests on a control other than the text area.
    bool focusOn(const QString& name)
    {
        return waitUntil([&] {
            const auto tree = m_run->controls();
            const Accessible* control = tree ? tree->findByName(name) : nullptr;
            return control && control->has(State::Focused);
        });
    }

    std::unique_ptr<testcontent::ContentFolder> m_folder;
    std::unique_ptr<TolvikaRun> m_run;
};

TEST_F(Focus, TabAndShiftTabComeBackToTheTextArea)
{
    screen().key("Tab");
    expectLetterShowsItsPage(QStringLiteral("Г"), "Tab with the repeat control shown");
    screen().key("Tab", Modifier::Shift);
    expectLetterShowsItsPage(QStringLiteral("Д"), "Shift+Tab");
}

TEST_F(Focus, TabRestsOnTheSoundCheckBoxWhileTheRepeatControlIsHidden)
{
    screen().click(m_run->centreOf(QStringLiteral("Sound")));
    ASSERT_TRUE(m_run->waitForRepeatControl(false));
    screen().key("Tab");
    ASSERT_TRUE(focusOn(QStringLiteral("Sound")));
    const QString before = m_run->memoText();
    const int bells = settled([&] { return screen().bells(); });
    screen().key(keysymOf(QStringLiteral("Е")));
    EXPECT_EQ(settled([&] { return m_run->memoText(); }), before) << "a letter reached the text area's handler";
    EXPECT_EQ(screen().bells(), bells);
    // Space toggles the check box; sound is on again and the focus goes home.
    screen().key("space");
    EXPECT_TRUE(waitUntil([&] { return m_run->memoFocused(); }));
    expectLetterShowsItsPage(QStringLiteral("Ж"), "Space on the check box");
}

TEST_F(Focus, AClickOnAnyControlThenALetter)
{
    struct Step {
        QString control;
        std::vector<std::string> closingKeys; // what a person types to close what the click opened
        const char* what;
    };
    const std::vector<Step> steps = {
        {QStringLiteral("Image1"), {}, "the picture"},
        {QStringLiteral("Папка с данными"), {}, "the data folder field"},
        {QStringLiteral("Panel3"), {}, "the repeat control's panel"},
        {QStringLiteral("Panel2"), {}, "the button bar"},
        {QStringLiteral("Повторить"), {}, "the repeat control"},
        {QStringLiteral("A"), {}, "the welcome button"},
        {QStringLiteral("Информация о программе"), {"Return"}, "the About button"},
        {QStringLiteral("Помощь"), {"Return"}, "the Help button"},
        {QStringLiteral("Сменить папку с данными"), {"Escape"}, "the folder button"},
        {QStringLiteral("Exit"), {"Escape"}, "the Exit button"},
    };
    int letter = 0;
    for (const Step& step : steps) {
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << step.what;
        screen().click(m_run->centreOf(step.control));
        if (!step.closingKeys.empty()) {
            ASSERT_TRUE(m_run->waitForOtherWindows(1)) << step.what << " opened no window";
            for (const std::string& key : step.closingKeys)
                screen().key(key);
            ASSERT_TRUE(m_run->waitForOtherWindows(0)) << "the window of " << step.what << " did not close";
        }
        ASSERT_TRUE(m_run->waitForRepeatControl(true)) << step.what;
        expectLetterShowsItsPage(kLetters.mid(letter++, 1), step.what);
    }
    // A click into the text area itself, and two on the check box (off, then on again).
    screen().click(m_run->centreOf(QStringLiteral("Panel5")) + QPoint(-200, 0));
    expectLetterShowsItsPage(kLetters.mid(letter++, 1), "the text area");
    screen().click(m_run->centreOf(QStringLiteral("Sound")));
    EXPECT_TRUE(m_run->waitForRepeatControl(false));
    screen().click(m_run->centreOf(QStringLiteral("Sound")));
    expectLetterShowsItsPage(kLetters.mid(letter++, 1), "the Sound check box");
}

} // namespace
} // namespace desktop
