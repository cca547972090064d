// Test entry point: one application frame for the whole test program, created
// when the tests run (not at discovery), on the offscreen platform at the
// design density of 120 dots per inch unless the test run chose otherwise.
#include "app/application.h"
#include "app/scripted_dialogs.h"
#include "app/user_dialogs.h"
#include "platform/ui/kit_classes.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers any box that a test did not expect, so that no test ever waits for
// a person, and says so on the test's output.
class UnexpectedDialogs : public ScriptedDialogs {
public:
    void showErrorBox(const QString& text, const QString& caption) override
    {
        std::fprintf(stderr, "unexpected error box: %s: %s\n", qPrintable(caption), qPrintable(text));
        ScriptedDialogs::showErrorBox(text, caption);
    }
};

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
        setenv("QT_FONT_DPI", "120", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        m_app = std::make_unique<TApplication>(QStringLiteral("tolvika"));
        registerKitClasses();
        setUserDialogs(&m_dialogs);
    }
    void TearDown() override
    {
        setUserDialogs(nullptr);
        m_app.reset();
    }

private:
    UnexpectedDialogs m_dialogs;
    std::unique_ptr<TApplication> m_app;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
