// The real-desktop benchmark: the built tolvika as a family runs it, on a
// private X server with a PipeWire sound server and no audio setting, driven
// by XTest keys. It prints, beside the offscreen benchmark's figures:
// - key to sound: from the key press to the letter's first sample at the
//   sound server's null sink, for each of the 33 letters. The sink's monitor
//   is recorded as it arrives; the recording's sample clock is tied to the
//   benchmark's clock by the earliest arrival of its blocks (a sample was
//   played no later than it arrived), so the figure is the time at which the
//   sink played the sample, without the recording's own delay;
// - key to picture: from the key press until the letter's picture colour is
//   on the screen, read back from the X server every millisecond;
// - start-up: from spawning the process until the welcome picture is on the
//   screen, with the sound server present;
// - the costliest text that loads (long_text.h): key to its page on the
//   screen, and Help button to the Help window showing it;
// - start-up against the toolkit's floor (start_against_floor.h): the same
//   first drawn frame for tolvika with its bundled DATA folder and for a bare
//   program showing one label, alternately, and the ratio of their medians.
// With the argument "start-up", only that comparison runs. A further argument
// names an earlier build's tolvika executable, started in each round of the
// comparison too. Asserts nothing.
#include "bench/desktop/long_text.h"
#include "bench/desktop/start_against_floor.h"
#include "bench/program/figures.h"
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "platform/ui/memo.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

using namespace desktop;

constexpr int kStarts = 10;
// Starts of each program in the comparison with the floor, alternating.
constexpr int kFloorRounds = 30;
// Silence at the sink after a letter's sound before the next key: longer than the gaps inside a sound.
constexpr auto kQuietBeforeKey = std::chrono::milliseconds(50);
// Where the picture area's centre lies in the main window's client area (inside Panel1).
QPoint pictureCentre(const TopWindow& main) { return main.geometry.topLeft() + QPoint(main.geometry.width() / 2, 230); }

// Reads the screen every millisecond (the suite's waits poll far more slowly) until the colour is there.
bool waitForColour(XDesktop& screen, QPoint at, const QColor& colour, std::chrono::milliseconds patience);

bool showsColour(XDesktop& screen, QPoint at, const QColor& colour)
{
    const QColor seen = screen.grab(QRect(at, QSize(1, 1))).pixelColor(0, 0);
    return std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green())
        + std::abs(seen.blue() - colour.blue())
        < 30;
}

bool waitForColour(XDesktop& screen, QPoint at, const QColor& colour, std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    while (!showsColour(screen, at, colour)) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

void measureStarts(const testcontent::ContentFolder& folder, bench::Series& toPicture)
{
    // The first start only fills the page cache and shows where the window appears.
    QPoint centre;
    {
        TolvikaRun first(LaunchOptions{.data = folder.path().toStdString()});
        centre = pictureCentre(first.mainWindow());
    }
    for (int i = 0; i < kStarts; ++i) {
        TolvikaRun run(LaunchOptions{.data = folder.path().toStdString()});
        if (waitForColour(session().screen(), centre, pageColour(0), 10s))
            toPicture.add(bench::milliseconds(Clock::now() - run.startedAt()));
        // Gone from the screen before the next one starts.
        run.kill();
        waitUntil([&] { return !showsColour(session().screen(), centre, pageColour(0)); });
    }
}

void measureKeys(const testcontent::ContentFolder& folder, bench::Series& toSound, bench::Series& toPicture,
                 int& missed)
{
    TolvikaRun run(LaunchOptions{.data = folder.path().toStdString()});
    const TopWindow main = run.mainWindow();
    run.waitForRepeatControl(true);
    const auto sink = session().recordSink();
    XDesktop& screen = session().screen();
    for (int page = 1; page <= kLetters.size(); ++page) {
        const QString letter = kLetters.mid(page - 1, 1);
        const auto pressed = Clock::now();
        screen.key(keysymOf(letter));
        if (waitForColour(screen, pictureCentre(main), pageColour(page), 5s))
            toPicture.add(bench::milliseconds(Clock::now() - pressed));
        std::optional<std::size_t> heard;
        waitUntil([&] { return (heard = sink->firstSoundFrom(sink->sampleAt(pressed))).has_value(); }, 5s);
        if (heard)
            toSound.add(bench::milliseconds(sink->timeOf(*heard) - pressed));
        else
            ++missed;
        // Keys are ignored while a sound plays: the next one waits for the repeat control,
        // and for the sink to have played the sound's end, which it does a little later;
        // a key pressed before would find that end and count it as its own sound.
        run.waitForRepeatControl(true);
        if (heard)
            waitUntil([&] { return sink->firstSilenceFrom(*heard, kQuietBeforeKey).has_value(); }, 5s);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    DesktopSession session;
    bench::StartAgainstFloor againstFloor;
    const bool startUpOnly = argc > 1 && std::strcmp(argv[1], "start-up") == 0;
    const std::filesystem::path earlier = startUpOnly && argc > 2 ? argv[2] : "";
    if (!earlier.empty() && !std::filesystem::is_regular_file(earlier)) {
        std::fprintf(stderr, "no earlier tolvika at %s\n", earlier.c_str());
        return 2;
    }
    bench::measureStartAgainstFloor(TOLVIKA_BUNDLED_DATA_FOLDER, earlier, kFloorRounds, againstFloor);
    if (startUpOnly) {
        bench::printStartAgainstFloor(againstFloor, kFloorRounds);
        return 0;
    }
    const auto folder = alphabetFolder();

    bench::Series starts, keySound, keyPicture;
    int missed = 0;
    measureStarts(*folder, starts);
    measureKeys(*folder, keySound, keyPicture, missed);
    bench::LongTextFigures longText;
    bench::measureLongText(longText);

    std::printf("Tolvika on a real desktop: Xvfb 1024x768 at 96 dpi, PipeWire with its null sink, no audio setting;\n"
                "a data folder of 33 letters with 250 ms tones and one-colour pictures.\n"
                "key to sound: key press (XTest) to the letter's first sample played at the sink, from the sink's\n"
                "  sample clock; key to picture: key press to the letter's colour on the screen (read every ms);\n"
                "start-up: spawn to the welcome picture on the screen, %d starts after one unmeasured.\n\n",
                kStarts);
    bench::Table table;
    table.note("key to sound at the sink, median / worst (33 letters)",
               bench::format("%.1f / %.1f ms", keySound.median(), keySound.worst()));
    table.note("key to picture on screen, median / worst",
               bench::format("%.1f / %.1f ms", keyPicture.median(), keyPicture.worst()));
    table.note("start-up to the welcome picture on screen, median / worst",
               bench::format("%.1f / %.1f ms", starts.median(), starts.worst()));
    table.note(
        bench::format("key to a page whose text is one line of %d x Ю, on screen, median / worst", TMemo::kCapacity),
        bench::format("%.1f / %.1f ms", longText.keyToPage.median(), longText.keyToPage.worst()));
    table.note("Help button to the Help window showing that text, median / worst",
               bench::format("%.1f / %.1f ms", longText.clickToHelp.median(), longText.clickToHelp.worst()));
    table.print();
    std::printf("\n");
    bench::printStartAgainstFloor(againstFloor, kFloorRounds);
    if (longText.unanswered > 0)
        std::printf("\nTROUBLE: %d presses or clicks with the long text showed nothing within a minute\n",
                    longText.unanswered);
    if (missed > 0 || keySound.count() != static_cast<std::size_t>(kLetters.size()))
        std::printf("\nTROUBLE: %d of %lld letters were not heard at the sink\n", missed,
                    static_cast<long long>(kLetters.size()));
    return 0;
}
