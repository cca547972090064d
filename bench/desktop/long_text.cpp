#include "bench/desktop/long_text.h"

#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "platform/ui/memo.h"
#include "tests/support/content_files.h"
#include "tests/support/test_files.h"

namespace bench {

namespace {

using namespace desktop;

constexpr int kRounds = 5;
// Ю, the widest letter of the text areas' bold serifs.
constexpr char kWidestLetter = '\xDE';
// Far beyond any sound page; a text that holds the program longer is reported unanswered.
constexpr auto kLongTextPatience = 60s;
const QString kLongLetter = QStringLiteral("Б");
const QString kShortLetter = QStringLiteral("В");
// Window text on the Help window's button-face background: a pixel this dark is a glyph.
constexpr int kGlyphDarkness = 96;
// A line of Ю across the Help window's text area darkens far more pixels than this.
constexpr int kDrawnTextPixels = 200;

QPoint pictureCentre(const TopWindow& main) { return main.geometry.topLeft() + QPoint(main.geometry.width() / 2, 230); }

bool showsColour(XDesktop& screen, QPoint at, const QColor& colour)
{
    const QColor seen = screen.grab(QRect(at, QSize(1, 1))).pixelColor(0, 0);
    return std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green())
        + std::abs(seen.blue() - colour.blue())
        < 30;
}

// Reads the screen every millisecond until the condition holds; false past the patience.
template <class Condition> bool watchScreen(Condition condition, std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

int darkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < kGlyphDarkness ? 1 : 0;
    return count;
}

void measureKeys(TolvikaRun& run, LongTextFigures& figures)
{
    XDesktop& screen = session().screen();
    const TopWindow main = run.mainWindow();
    const auto tree = run.controls();
    const QRect memo = tree->findByName(QStringLiteral("Panel5"))->findByRole(QStringLiteral("text"))->extents;
    for (int round = 0; round < kRounds; ++round) {
        const QImage before = screen.grab(memo);
        const auto pressed = Clock::now();
        screen.key(keysymOf(kLongLetter));
        // The text and the picture are drawn in one frame; both must be there.
        if (watchScreen(
                [&] {
                    return showsColour(screen, pictureCentre(main), pageColour(pageIndexOf(kLongLetter)))
                        && screen.grab(memo) != before;
                },
                kLongTextPatience))
            figures.keyToPage.add(milliseconds(Clock::now() - pressed));
        else {
            // Still laying the text out: nothing more can be measured from this program.
            ++figures.unanswered;
            return;
        }
        // Keys are ignored while a sound plays; then a short page, so that the next key changes the text.
        run.waitForRepeatControl(true);
        screen.key(keysymOf(kShortLetter));
        waitUntil([&] { return showsColour(screen, pictureCentre(main), pageColour(pageIndexOf(kShortLetter))); },
                  kLongTextPatience);
        run.waitForRepeatControl(true);
    }
}

void measureHelp(TolvikaRun& run, LongTextFigures& figures)
{
    XDesktop& screen = session().screen();
    const QPoint helpButton = run.centreOf(QStringLiteral("Помощь"));
    for (int round = 0; round < kRounds; ++round) {
        // Another text each time: the same one again would not be laid out again.
        const QByteArray text(TMemo::kCapacity - round % 2, kWidestLetter);
        testfiles::writeFile(QString::fromStdString((run.dataFolder() / "help.txt").string()), text);
        const auto clicked = Clock::now();
        screen.click(helpButton);
        // The text area fills the window above its button bar; its first lines are dark glyphs.
        const bool shown = watchScreen(
            [&] {
                const auto windows = run.otherWindows();
                if (windows.empty())
                    return false;
                const QRect window = windows.front().geometry;
                return darkPixels(screen.grab(QRect(window.topLeft() + QPoint(10, 10), QSize(window.width() - 40, 40))))
                    > kDrawnTextPixels;
            },
            kLongTextPatience);
        if (shown)
            figures.clickToHelp.add(milliseconds(Clock::now() - clicked));
        else {
            ++figures.unanswered;
            return;
        }
        // Its OK button has the keyboard: Enter closes the window.
        screen.key("Return");
        run.waitForOtherWindows(0);
    }
}

} // namespace

void measureLongText(LongTextFigures& figures)
{
    const auto folder = alphabetFolder();
    folder->writeBytes(kLongLetter + QStringLiteral("/letter_text.txt"), QByteArray(TMemo::kCapacity, kWidestLetter));
    TolvikaRun run(LaunchOptions{.data = folder->path().toStdString()});
    run.mainWindow();
    run.waitForRepeatControl(true);
    measureKeys(run, figures);
    if (figures.unanswered == 0)
        measureHelp(run, figures);
}

} // namespace bench
