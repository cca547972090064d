// A page a parent made with tolvika-page from phone sources, shown by the
// built program on the real display: the letter's key brings the typed lines
// into the text area, the photo upright and centred in the picture area, and
// the memo's voice, its silence trimmed, to the sound server at once.
#include "tests/desktop/harness/desktop_session.h"
#include "tests/desktop/harness/suite_folder.h"
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include "tests/support/page_tool.h"
#include "tests/support/phone_sources.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace desktop {
namespace {

// The tool fits a 1500 x 2000 photo into the 614 x 443 picture area.
constexpr QSize kFittedPicture{332, 443};
// makeMemo's tone.
constexpr double kMemoFrequency = 440.0;
// The memo's 0.8 s of leading silence, untrimmed, would pass this; a key's
// sound on a loaded machine comes well within it.
constexpr auto kVoiceWithin = std::chrono::milliseconds(600);
// Far inside the picture's halves, clear of the scaling's blur at the middle.
constexpr int kInset = 40;

bool near(const QColor& seen, const QColor& wanted)
{
    return std::abs(seen.red() - wanted.red()) < 40 && std::abs(seen.green() - wanted.green()) < 40
        && std::abs(seen.blue() - wanted.blue()) < 40;
}

TEST(ToolPageOnTheDesktop, PageMadeFromPhoneSourcesShowsAndSounds)
{
    session().sound().start();
    const auto folder = alphabetFolder();
    const QTemporaryDir work;
    const QString letter = QStringLiteral("Ж");
    pagetool::makePage(folder->path(), letter.toLower(), work.path(),
                       {QSize(1500, 2000), QStringLiteral("Жж\\nЖук"), 0.3});

    const auto sink = session().recordSink();
    TolvikaRun run(LaunchOptions{.data = folder->path().toStdString()});
    run.mainWindow();
    ASSERT_TRUE(run.waitForRepeatControl(true)) << "the welcome sound never ended";
    const auto pressed = Clock::now();
    session().screen().key(keysymOf(letter));
    ASSERT_TRUE(waitUntil([&] { return run.memoText() == QStringLiteral("Жж\nЖук"); })) << run.memoText().toStdString();

    // The voice: at once, and the memo's tone.
    std::optional<std::size_t> heard;
    waitUntil([&] { return (heard = sink->firstSoundFrom(sink->sampleAt(pressed))).has_value(); });
    ASSERT_TRUE(heard) << "no sound after the key; standard error: " << run.standardError();
    EXPECT_LT(sink->timeOf(*heard) - pressed, kVoiceWithin) << "the memo's leading silence was not trimmed";
    const std::size_t window = SinkRecorder::kRate / 10;
    ASSERT_TRUE(waitUntil([&] { return sink->size() >= *heard + window; }));
    EXPECT_NEAR(sink->frequency(*heard + window / 10, *heard + window), kMemoFrequency, 15.0);

    // The photo: upright (its top half red, its bottom half blue) and centred,
    // with the picture area's own background on either side of it.
    const auto tree = run.controls();
    const Accessible* image = tree ? tree->findByName(QStringLiteral("Image1")) : nullptr;
    ASSERT_TRUE(image);
    const QRect area = image->extents;
    const QRect picture(
        area.topLeft()
            + QPoint((area.width() - kFittedPicture.width()) / 2, (area.height() - kFittedPicture.height()) / 2),
        kFittedPicture);
    const QImage shown = session().screen().grab(area);
    const auto at = [&](QPoint screenPoint) { return shown.pixelColor(screenPoint - area.topLeft()); };
    EXPECT_TRUE(near(at(picture.topLeft() + QPoint(kInset, kInset)), phonesources::kTopColour)) << "top left";
    EXPECT_TRUE(near(at(picture.topRight() + QPoint(-kInset, kInset)), phonesources::kTopColour)) << "top right";
    EXPECT_TRUE(near(at(picture.bottomLeft() + QPoint(kInset, -kInset)), phonesources::kBottomColour)) << "bottom left";
    EXPECT_TRUE(near(at(picture.bottomRight() + QPoint(-kInset, -kInset)), phonesources::kBottomColour))
        << "bottom right";
    const QColor background = at(area.topLeft() + QPoint(2, area.height() / 2));
    EXPECT_EQ(at(picture.topLeft() + QPoint(-3, kInset)), background) << "left of the picture";
    EXPECT_EQ(at(picture.topRight() + QPoint(3, kInset)), background) << "right of the picture";
    EXPECT_FALSE(near(background, phonesources::kTopColour));
}

} // namespace
} // namespace desktop
