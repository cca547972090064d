// The repeat control as a person sees it through a whole page: hidden while
// the page's sound plays, back when it has ended, and hidden again for as long
// as a click on it replays the sound, although the replay holds the program
// until the sound's end; a key typed meanwhile is handled after it.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "tests/support/content_files.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

const QString kRepeat = QStringLiteral("Повторить");
const QString kLongLetter = QStringLiteral("Б");
constexpr int kLongMilliseconds = 2000;

// Pixels that differ by more than a shade between two pictures of one place.
int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 24)
                ++count;
        }
    return count;
}

// A picture of the control's place differs from the bare panel by its Play glyph and frame.
constexpr int kDrawnControlPixels = 100;

TEST(RepeatControl, HiddenWhileASoundPlaysAndWhileItReplays)
{
    auto folder = alphabetFolder();
    folder->writeBytes(kLongLetter + QStringLiteral("/letter_voice.wav"),
                       testcontent::sineWav(pageFrequency(pageIndexOf(kLongLetter)), kLongMilliseconds));
    TolvikaRun run(LaunchOptions{.data = folder->path().toStdString()});
    run.mainWindow();
    ASSERT_TRUE(run.waitForRepeatControl(true));
    XDesktop& screen = session().screen();
    const QRect place = [&] {
        const auto tree = run.controls();
        return tree->findByName(kRepeat)->extents;
    }();
    const QImage shown = screen.grab(place);

    // The page's own sound: hidden from the key until the sound's end.
    screen.key(keysymOf(kLongLetter));
    ASSERT_TRUE(waitUntil([&] { return differingPixels(screen.grab(place), shown) > kDrawnControlPixels; }))
        << "the control stayed drawn while the page's sound played";
    const QImage bare = screen.grab(place);
    ASSERT_TRUE(run.waitForRepeatControl(true));
    EXPECT_LT(differingPixels(screen.grab(place), shown), kDrawnControlPixels);

    // The replay: the program waits for the sound's end, yet the control is gone meanwhile.
    screen.click(place.center());
    std::this_thread::sleep_for(400ms);
    EXPECT_LT(differingPixels(screen.grab(place), bare), kDrawnControlPixels)
        << "the control is still drawn while its sound replays";
    screen.key(keysymOf(QStringLiteral("В")));
    std::this_thread::sleep_for(800ms);
    EXPECT_LT(differingPixels(screen.grab(place), bare), kDrawnControlPixels)
        << "the control came back before its sound ended";

    // After the replay the typed key presents its page. (The program is not
    // asked over the accessibility bus before: it answers nobody while it waits.)
    EXPECT_TRUE(waitUntil([&] { return run.memoText() == pageText(pageIndexOf(QStringLiteral("В"))); }));
    EXPECT_TRUE(run.waitForRepeatControl(true));
}

} // namespace
} // namespace desktop
