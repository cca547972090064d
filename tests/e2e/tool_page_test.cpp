// A page made by tolvika-page, shown by the real main window: from a phone
// photo stored sideways, a typed text and a voice memo, the child's key
// brings the text into the text area, the picture upright and centred in the
// picture area, and the memo's trimmed voice to the sound output.
#include "tests/e2e/alphabet.h"
#include "tests/e2e/main_window_rig.h"

#include "platform/mci/wav_decoder.h"
#include "platform/ui/image.h"
#include "tests/support/page_tool.h"
#include "tests/support/phone_sources.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace e2e;

// Ж's page from the tool: its two lines, its 332 × 443 picture centred and
// upright (red above, blue below), and every sample of its sound played.
TEST(ToolPage, PageMadeFromPhoneSourcesShowsAndSounds)
{
    ContentFolder folder;
    folder.writeWelcome(welcomeContent());
    const QTemporaryDir work;
    pagetool::makePage(folder.path(), QStringLiteral("ж"), work.path(),
                       {QSize(1500, 2000), QStringLiteral("Жж\\nЖук"), 0.3});
    const QString page = folder.path() + QStringLiteral("Ж/");

    MainWindowRig rig;
    rig.startOn(folder);
    rig.type(QStringLiteral(";")); // Ж's key with a Latin layout
    EXPECT_EQ(rig.lines(), (QStringList{QStringLiteral("Жж"), QStringLiteral("Жук")}));

    QFile picture(page + QStringLiteral("letter_img.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_EQ(rig.pictureData(), picture.readAll());
    const QPoint origin = rig.main.Image1->pictureOrigin();
    const QSize area = rig.main.Image1->size();
    EXPECT_EQ(origin, QPoint((area.width() - 332) / 2, (area.height() - 443) / 2)) << "centred";
    rig.main.repaint();
    const QImage shot = rig.main.Image1->grab().toImage();
    const int middle = origin.x() + 332 / 2;
    EXPECT_TRUE(closeColours(shot.pixelColor(middle, origin.y() + 443 / 4), phonesources::kTopColour, 14))
        << "red above";
    EXPECT_TRUE(closeColours(shot.pixelColor(middle, origin.y() + 443 * 3 / 4), phonesources::kBottomColour, 14))
        << "blue below";
    EXPECT_FALSE(closeColours(shot.pixelColor(origin.x() - 10, area.height() / 2), phonesources::kTopColour, 60))
        << "nothing of the picture beside it";

    // The output plays what the program's decoder makes of the file, whole.
    mci::DecodedSound expected;
    ASSERT_EQ(mci::decodeWavFile((page + QStringLiteral("letter_voice.wav")).toUtf8().constData(), rig.output.format(),
                                 expected),
              0U);
    ASSERT_TRUE(rig.soundPlaying());
    rig.playToEnd();
    const std::vector<std::int16_t> played = rig.output.played();
    ASSERT_GE(played.size(), expected.samples.size());
    EXPECT_TRUE(std::equal(expected.samples.begin(), expected.samples.end(), played.begin()))
        << "the voice reached the output from its first sample";
    const auto loudest = std::max_element(played.begin(), played.end());
    EXPECT_GT(*loudest, 10000) << "a voice, not silence";
    EXPECT_EQ(rig.dialogs.beeps(), 0);
    EXPECT_TRUE(rig.dialogs.errorBoxes().empty());
}
