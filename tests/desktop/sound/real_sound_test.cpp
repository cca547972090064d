// Sound through the desktop's sound server, as families hear it: the program
// is started with no audio setting at all and finds the server by itself. The
// suite records the server's null sink and checks that the welcome sound and a
// letter's sound are heard when they should be; that a sound server which dies
// while a sound plays costs no hang, no crash and at most one line, and that
// sound comes back when the server does; and that without any server (or with
// a PipeWire that carries no sound) the program runs silently, every page still
// showing.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "tests/support/content_files.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

// Loud enough to hear, and a tone of this page's pitch (within the mixing's rounding).
void expectPageSoundAt(const SinkRecorder& sink, std::size_t start, int page, const char* what)
{
    const std::size_t window = SinkRecorder::kRate / 10;
    ASSERT_TRUE(waitUntil([&] { return sink.size() >= start + window; })) << what;
    EXPECT_GT(sink.level(start, start + window), 1000.0) << what;
    EXPECT_NEAR(sink.frequency(start + window / 10, start + window), pageFrequency(page), 15.0) << what;
    if (::testing::Test::HasFailure()) {
        const auto path = session().logFolder()
            / (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".raw");
        sink.save(path.string());
        std::printf("recording (48 kHz mono s16le) saved to %s; the sound began at sample %zu\n", path.c_str(), start);
    }
}

class RealSound : public ::testing::Test {
protected:
    void SetUp() override
    {
        session().sound().start();
        m_folder = alphabetFolder();
    }
    void TearDown() override { session().sound().start(); }

    std::unique_ptr<TolvikaRun> launch()
    {
        return std::make_unique<TolvikaRun>(LaunchOptions{.data = m_folder->path().toStdString()});
    }

    // The first sound in the recording at or after `from`, waited for.
    std::optional<std::size_t> soundFrom(const SinkRecorder& sink, Clock::time_point from)
    {
        std::optional<std::size_t> found;
        waitUntil([&] { return (found = sink.firstSoundFrom(sink.sampleAt(from))).has_value(); });
        return found;
    }

    std::unique_ptr<testcontent::ContentFolder> m_folder;
};

TEST_F(RealSound, WelcomeAtStartAndALetterAfterItsKey)
{
    const auto sink = session().recordSink();
    const auto started = Clock::now();
    auto run = launch();
    const auto welcome = soundFrom(*sink, started);
    ASSERT_TRUE(welcome) << "no welcome sound";
    expectPageSoundAt(*sink, *welcome, 0, "welcome sound");
    ASSERT_TRUE(run->waitForRepeatControl(true));

    const QString letter = QStringLiteral("К");
    const auto pressed = Clock::now();
    session().screen().key(keysymOf(letter));
    const auto heard = soundFrom(*sink, pressed);
    ASSERT_TRUE(heard) << "no sound after the key";
    expectPageSoundAt(*sink, *heard, pageIndexOf(letter), "letter sound");

    // Nothing else between the key and the letter's sound, and silence again after it.
    EXPECT_LT(sink->timeOf(*heard) - pressed, 1s);
    ASSERT_TRUE(waitUntil([&] { return sink->firstSilenceFrom(*heard, 200ms).has_value(); }));
    const auto length = sink->timeOf(*sink->firstSilenceFrom(*heard, 200ms)) - sink->timeOf(*heard);
    const double milliseconds = std::chrono::duration<double, std::milli>(length).count();
    EXPECT_NEAR(milliseconds, kLetterMilliseconds, 40.0);
    EXPECT_TRUE(run->standardError().empty()) << run->standardError();
}

TEST_F(RealSound, ServerKilledWhileASoundPlaysThenStartedAgain)
{
    const QString longLetter = QStringLiteral("Л");
    m_folder->writeBytes(longLetter + QStringLiteral("/letter_voice.wav"),
                         testcontent::sineWav(pageFrequency(pageIndexOf(longLetter)), 3000));
    auto run = launch();
    run->mainWindow();
    ASSERT_TRUE(run->waitForRepeatControl(true));
    XDesktop& screen = session().screen();
    screen.key(keysymOf(longLetter));
    ASSERT_TRUE(run->waitForRepeatControl(false));
    std::this_thread::sleep_for(300ms);
    session().sound().kill();

    // The program goes on: the next key changes the page.
    const QString next = QStringLiteral("М");
    EXPECT_TRUE(waitUntil([&] {
        screen.key(keysymOf(next));
        return waitUntil([&] { return run->memoText() == pageText(pageIndexOf(next)); }, 1s);
    })) << "the page never changed after the sound server died";
    EXPECT_TRUE(run->running());
    EXPECT_TRUE(run->waitForRepeatControl(true)) << "the repeat control stayed hidden";
    EXPECT_LE(run->standardErrorLines().size(), 1u) << run->standardError();

    // The server comes back: so does the sound, without a restart.
    session().sound().start();
    const auto sink = session().recordSink();
    const QString again = QStringLiteral("Н");
    const auto pressed = Clock::now();
    screen.key(keysymOf(again));
    EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(again)); })) << run->threadStacks();
    const auto heard = soundFrom(*sink, pressed);
    ASSERT_TRUE(heard) << "no sound after the server came back; standard error: " << run->standardError();
    expectPageSoundAt(*sink, *heard, pageIndexOf(again), "sound after the server came back");
    EXPECT_LE(run->standardErrorLines().size(), 1u) << run->standardError();
}

TEST_F(RealSound, WithoutAnyServerEveryPageShowsSilently)
{
    session().sound().kill();
    auto run = launch();
    run->mainWindow();
    XDesktop& screen = session().screen();
    for (const QString& letter : {QStringLiteral("О"), QStringLiteral("П"), QStringLiteral("Р")}) {
        ASSERT_TRUE(run->waitForRepeatControl(true)) << letter.toStdString();
        screen.key(keysymOf(letter));
        EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(letter)); }))
            << letter.toStdString();
    }
    screen.click(run->centreOf(QStringLiteral("A")));
    EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(0); }));
    EXPECT_TRUE(run->waitForRepeatControl(true));
    EXPECT_EQ(run->standardErrorLines().size(), 1u) << run->standardError();
    EXPECT_TRUE(run->otherWindows().empty());
}

// A sound server that starts after the program (a desktop still coming up, a
// headset plugged in): the program found no output at first and said so once;
// the next key after the server is there is heard, and nothing more is said.
TEST_F(RealSound, ServerThatAppearsLaterIsHeard)
{
    session().sound().kill();
    auto run = launch();
    run->mainWindow();
    ASSERT_TRUE(run->waitForRepeatControl(true));
    session().screen().key(keysymOf(QStringLiteral("С")));
    ASSERT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(QStringLiteral("С"))); }));
    ASSERT_TRUE(run->waitForRepeatControl(true));

    session().sound().start();
    const auto sink = session().recordSink();
    const QString letter = QStringLiteral("Т");
    const auto pressed = Clock::now();
    session().screen().key(keysymOf(letter));
    const auto heard = soundFrom(*sink, pressed);
    ASSERT_TRUE(heard) << "no sound once the server was there; standard error: " << run->standardError();
    expectPageSoundAt(*sink, *heard, pageIndexOf(letter), "sound from the server that came later");
    EXPECT_EQ(run->standardErrorLines().size(), 1u) << run->standardError();
}

// The program's output goes to PipeWire itself, whose own interface opens it in
// about half the time of its PulseAudio service (the first frame waits for the
// welcome sound's output), and a volume control lists it by the program's name.
TEST_F(RealSound, PlaysThroughPipeWireItselfUnderTheProgramsName)
{
    auto run = launch();
    run->mainWindow();
    std::string streams;
    const auto listed = [&] {
        streams = runCommand({"pactl", "list", "sink-inputs"}, session().sound().clientEnvironment(), 3s).output;
        return streams.find("application.name = \"tolvika\"") != std::string::npos;
    };
    ASSERT_TRUE(waitUntil(listed)) << streams;
    EXPECT_EQ(streams.find("client.api = \"pipewire-pulse\""), std::string::npos) << streams;
}

// A PipeWire server that carries no sound, and no other server: PipeWire would
// take the output and never connect it, so the program looks past it and runs
// silently, every page showing, as with no server at all.
TEST_F(RealSound, PipeWireWithoutOutputsIsPassedOver)
{
    session().sound().startWithoutOutputs();
    auto run = launch();
    run->mainWindow();
    ASSERT_TRUE(run->waitForRepeatControl(true));
    const QString letter = QStringLiteral("У");
    session().screen().key(keysymOf(letter));
    EXPECT_TRUE(waitUntil([&] { return run->memoText() == pageText(pageIndexOf(letter)); })) << run->threadStacks();
    EXPECT_TRUE(run->waitForRepeatControl(true));
    EXPECT_EQ(run->standardErrorLines().size(), 1u) << run->standardError();
}

} // namespace
} // namespace desktop
