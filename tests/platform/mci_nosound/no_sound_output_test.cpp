// The media layer on a machine where SDL finds no sound output at all (here an
// audio driver that does not exist): sounds still open and report their length,
// but every Play fails with its own code, never reports playing, and the reason
// is written to standard error once. In an executable of its own, since SDL's
// audio is started once per process.
#include "platform/mci/mci.h"
#include "tests/support/wav_files.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string writeWav(const QTemporaryDir& dir)
{
    // 100 frames of 16-bit mono at 8 kHz: 12 ms.
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 100; ++i) {
        data.push_back(static_cast<std::uint8_t>((i * 100) & 0xFF));
        data.push_back(static_cast<std::uint8_t>((i * 100) >> 8));
    }
    const std::vector<std::uint8_t> wav = testcontent::wavBytes({.tag = 1, .channels = 1, .rate = 8000, .bits = 16},
                                                                data);
    const std::string path = dir.filePath("short.wav").toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    return path;
}

} // namespace

TEST(NoSoundOutput, OpenSucceedsPlayFailsAndSaysWhyOnce)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    QTemporaryDir dir;
    const std::string path = writeWav(dir);
    MCI_OPEN_PARMS open;
    open.lpstrElementName = path.c_str();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, &open), 0u);
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_LENGTH;
    ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, 12u);

    testing::internal::CaptureStderr();
    MCI_PLAY_PARMS play;
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_PLAY, 0, &play), MCIERR_NO_SOUND_OUTPUT);
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_PLAY, MCI_WAIT, &play), MCIERR_NO_SOUND_OUTPUT);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 1) << written;
    EXPECT_NE(written.find("No sound output could be opened"), std::string::npos) << written;
    EXPECT_NE(written.find("no-such-driver"), std::string::npos) << "SDL's reason: " << written;

    status.dwItem = MCI_STATUS_MODE;
    ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, MCI_MODE_STOP);
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
}
