// The media layer on SDL's real "disk" audio driver, which writes what it plays
// to a file: the decoded samples of a WAV reach the output byte for byte, and a
// Play with notify posts its success to a widget. The output stays open for the
// life of the process, so this runs in an executable of its own.
#include "platform/mci/mci.h"
#include "platform/mci/mci_testing.h"
#include "tests/support/message_receiver.h"
#include "tests/support/wav_files.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <vector>

namespace {

// Generous bounds for a loaded machine: they only keep a broken build from hanging.
constexpr auto kPatience = std::chrono::seconds(30);

// A WAV in exactly the output's format (44.1 kHz, stereo, 16 bits), so that the
// bytes must reach the output unchanged; no sample is zero.
std::vector<char> stereoSamples(std::size_t frames)
{
    std::vector<char> data;
    for (std::size_t i = 0; i < frames; ++i) {
        const int v = static_cast<int>(i % 3000) * 10 + 7;
        for (const int sample : {v, -v}) {
            data.push_back(static_cast<char>(sample & 0xFF));
            data.push_back(static_cast<char>((sample >> 8) & 0xFF));
        }
    }
    return data;
}

// What the file holds now. The driver writes silence for as long as the
// process lives, as fast as it can: a reader that went on to the end of the
// file could be outrun (a sanitizer build reads slowly) and never return.
std::vector<char> readFile(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::vector<char> bytes(error ? 0 : static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

class SdlDiskOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Made before the media layer, so that it goes after it: the output writes
        // into it until the process ends.
        static QTemporaryDir dir;
        s_dir = &dir;
        s_output = s_dir->filePath("output.raw").toStdString();
        // Before the first Play, which starts SDL's audio.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", s_output.c_str(), 1);
        // Paced in real time: unpaced, the driver writes silence as fast as
        // the disk takes it, gigabytes within minutes on a loaded machine.
    }

    MCIDEVICEID open(const std::vector<char>& data, const char* name)
    {
        const std::string path = s_dir->filePath(name).toStdString();
        const QByteArray bytes = testcontent::wavFile({.tag = 1, .channels = 2, .rate = 44100, .bits = 16},
                                                      QByteArray(data.data(), static_cast<qsizetype>(data.size())));
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
        MCI_OPEN_PARMS parms;
        parms.lpstrElementName = path.c_str();
        EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, &parms), 0u);
        return parms.wDeviceID;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline std::string s_output;
};

} // namespace

// The samples of the WAV reach the output unchanged, after leading silence,
// and the completion message reaches the widget named as callback.
TEST_F(SdlDiskOutput, SamplesReachTheOutputAndSuccessIsPosted)
{
    const std::vector<char> data = stereoSamples(11025); // a quarter of a second
    const MCIDEVICEID device = open(data, "quarter.wav");
    MessageReceiver receiver;
    MCI_PLAY_PARMS play;
    play.dwCallback = windowhandle::handleOf(&receiver);
    ASSERT_EQ(mciSendCommand(device, MCI_PLAY, MCI_NOTIFY, &play), 0u);

    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (receiver.received.empty() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(receiver.received.size(), 1u) << "no completion message";
    EXPECT_EQ(receiver.received[0].Msg, MM_MCINOTIFY);
    EXPECT_EQ(receiver.received[0].WParam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(receiver.received[0].LParam, static_cast<std::intptr_t>(device));

    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_MODE;
    ASSERT_EQ(mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, MCI_MODE_STOP);

    // The driver writes a buffer after it has been filled: wait until the file holds it all.
    std::vector<char> written;
    std::size_t start = 0;
    for (;;) {
        written = readFile(s_output);
        start = 0;
        while (start < written.size() && written[start] == 0)
            ++start;
        start -= start % 4; // a frame is four bytes
        if (written.size() >= start + data.size() || std::chrono::steady_clock::now() > deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GE(written.size(), start + data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), written.begin() + static_cast<std::ptrdiff_t>(start)))
        << "the output differs from the decoded samples";
    EXPECT_EQ(mciSendCommand(device, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
}

// On the real output too, a Play with wait returns once the sound has ended.
TEST_F(SdlDiskOutput, PlayWithWaitReturnsAfterTheEnd)
{
    const MCIDEVICEID device = open(stereoSamples(4410), "tenth.wav");
    MCI_PLAY_PARMS play;
    ASSERT_EQ(mciSendCommand(device, MCI_PLAY, MCI_WAIT, &play), 0u);
    MCI_STATUS_PARMS status;
    status.dwItem = MCI_STATUS_POSITION;
    ASSERT_EQ(mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, 100u);
    status.dwItem = MCI_STATUS_MODE;
    ASSERT_EQ(mciSendCommand(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, MCI_MODE_STOP);
    EXPECT_EQ(mciSendCommand(device, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
}
