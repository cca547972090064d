// Test entry point: one application frame for the whole test program, created
// when the tests run (not at discovery), on the offscreen platform at the
// design density of 120 dots per inch unless the test run chose otherwise.
#include "app/application.h"
#include "platform/ui/kit_classes.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

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
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<TApplication> m_app;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
