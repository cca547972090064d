// Shared pieces of the media layer's tests: WAV files written at run time into a
// temporary folder, a widget that collects the completion messages posted to
// it, and a fixture that plays into a fake output whose clock the test advances.
#pragma once

#include "platform/mci/fake_audio_output.h"
#include "platform/mci/mci.h"
#include "platform/mci/mci_testing.h"
#include "tests/support/message_receiver.h"
#include "tests/support/wav_files.h"

#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace mcitest {

// WAV files come from the tests' one writer.
using testcontent::wavBytes;
using testcontent::WavFormat;

// 16-bit PCM of the given samples (interleaved).
std::vector<std::uint8_t> pcm16Wav(const std::vector<std::int16_t>& samples, std::uint32_t rate = 1000,
                                   std::uint16_t channels = 1);
// Little-endian bytes of 16-bit samples.
std::vector<std::uint8_t> le16(const std::vector<std::int16_t>& samples);
// 1, 2, 3, ... times `step`: every frame of the sound can be told apart.
std::vector<std::int16_t> ramp(std::size_t count, int step = 10);

// A temporary folder for the files of one test.
class Files {
public:
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes);
    std::string path(const std::string& name) const;

private:
    QTemporaryDir m_dir;
};

// Reads the MM_MCINOTIFY messages among those posted to it.
class NotifyReceiver : public MessageReceiver {
public:
    HWND handle();
    // Lets the event loop deliver what was posted, then hands over the codes
    // (WParam) received since the last take.
    std::vector<std::uint32_t> take();
    // The device identifiers (LParam) of the messages received so far.
    std::vector<MCIDEVICEID> devices() const;

private:
    std::size_t m_taken = 0; // messages already handed over by take()
};

// Plays into a fake output of one frame a millisecond, mono, unless a test
// gives another format.
class MciTest : public ::testing::Test {
protected:
    explicit MciTest(mci::AudioFormat format = mci::FakeAudioOutput::kDefaultFormat);

    // Opens the file and returns the device; fails the test when it cannot.
    MCIDEVICEID openFile(const std::string& path);
    // Opens a sound of `frames` frames whose samples are ramp(frames).
    MCIDEVICEID openRamp(std::size_t frames);
    MCIERROR play(MCIDEVICEID device, std::uint32_t flags, std::uint32_t from = 0, std::uint32_t to = 0);
    MCIERROR command(MCIDEVICEID device, unsigned command, std::uint32_t flags);
    std::uintptr_t status(MCIDEVICEID device, std::uint32_t item);
    std::uint32_t mode(MCIDEVICEID device) { return static_cast<std::uint32_t>(status(device, MCI_STATUS_MODE)); }
    std::uintptr_t position(MCIDEVICEID device) { return status(device, MCI_STATUS_POSITION); }

    mci::FakeAudioOutput m_output;
    mci::ScopedAudioOutputForTesting m_installed{m_output};
    Files m_files;
    NotifyReceiver m_receiver;
};

} // namespace mcitest
