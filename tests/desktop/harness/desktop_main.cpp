// Entry point of each desktop test program: the session (display, buses,
// sound server) comes up once before the first test and goes after the last;
// a test that fails leaves a screenshot of the whole screen in the log folder.
#include "tests/desktop/harness/desktop_session.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_session = std::make_unique<desktop::DesktopSession>(); }
    void TearDown() override { m_session.reset(); }

private:
    std::unique_ptr<desktop::DesktopSession> m_session;
};

class ScreenshotOnFailure : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        if (!test.result()->Failed())
            return;
        const auto name = std::string(test.test_suite_name()) + "." + test.name() + ".png";
        const auto path = desktop::session().logFolder() / name;
        desktop::session().screen().grabScreen().save(QString::fromStdString(path.string()));
        std::printf("screenshot of the failure: %s\n", path.c_str());
    }
};

} // namespace

int main(int argc, char** argv)
{
    // The test's own client of the buses; no window of its own.
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new SessionEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
    return RUN_ALL_TESTS();
}
