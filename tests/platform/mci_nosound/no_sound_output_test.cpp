// The media layer on a machine where SDL finds no sound output at all (here an
// audio driver that does not exist): sounds still open and report their length,
// but every Play fails with its own code, never reports playing, and the reason
// is written to standard error once. In an executable of its own, since SDL's
// audio is started once per process.
#include "platform/mci/mci.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string writeWav(const QTemporaryDir& dir)
{
    // 100 frames of 16-bit mono at 8 kHz: 12 ms.
    std::string wav = "RIFF";
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto put16 = [&](unsigned v) {
        wav.push_back(static_cast<char>(v & 0xFF));
        wav.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    put32(36 + 200);
    wav += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    wav += "data";
    put32(200);
    for (int i = 0; i < 100; ++i)
        put16(static_cast<unsigned>(i * 100));
    const std::string path = dir.filePath("short.wav").toStdString();
    std::ofstream(path, std::ios::binary) << wav;
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
