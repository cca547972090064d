// Reusing the last decoded sound: a file opened again unchanged is not decoded
// again and plays the same; a file that changed in any way is decoded afresh;
// a file that vanished or became unusable fails exactly as a fresh one would;
// and a shared sound stays whole while a device still plays it.
#include "tests/platform/mci/mci_test_support.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <time.h>
#include <unistd.h>

using namespace mcitest;

namespace {

// Modification times long past, so that the files count as settled.
constexpr time_t kLongAgo = 1'600'000'000;
constexpr time_t kLaterLongAgo = kLongAgo + 3600;

void setModified(const std::string& path, time_t seconds, long nanoseconds = 123'456'789)
{
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

class SoundReuse : public MciTest {
protected:
    // Writes a 16-bit WAV of `samples` and dates it long ago.
    std::string writeSettled(const std::string& name, const std::vector<std::int16_t>& samples,
                             time_t modified = kLongAgo)
    {
        const std::string path = m_files.write(name, pcm16Wav(samples));
        setModified(path, modified);
        return path;
    }

    // Opens the file and reports how many decodes that took.
    std::uint64_t decodesToOpen(const std::string& path, MCIDEVICEID& device)
    {
        const std::uint64_t before = mci::soundFilesDecoded();
        device = openFile(path);
        return mci::soundFilesDecoded() - before;
    }

    // Plays the whole device into the fake and closes it; returns the samples heard.
    std::vector<std::int16_t> playAndClose(MCIDEVICEID device)
    {
        const auto frames = static_cast<std::size_t>(status(device, MCI_STATUS_LENGTH));
        m_output.clearPlayed();
        EXPECT_EQ(play(device, 0), 0u);
        m_output.advance(frames + 1);
        EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
        std::vector<std::int16_t> heard = m_output.played();
        heard.resize(frames);
        return heard;
    }

    // The error of an open with notification; checks that the notification says
    // the same and that no device was left open.
    MCIERROR openError(const std::string& path)
    {
        MCI_OPEN_PARMS open;
        open.dwCallback = m_receiver.handle();
        open.lpstrElementName = path.c_str();
        const MCIERROR error = mciSendCommand(0, MCI_OPEN, MCI_NOTIFY | MCI_OPEN_ELEMENT, &open);
        EXPECT_EQ(m_receiver.take(),
                  (std::vector<std::uint32_t>{error == 0 ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE}));
        if (error == 0) {
            EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
        }
        EXPECT_EQ(mci::openDeviceCount(), 0u) << path;
        return error;
    }

    // Opens and closes `path` so that its sound is the one kept.
    void openOnce(const std::string& path) { EXPECT_EQ(openError(path), 0u); }
};

} // namespace

// The page's open and the player's open of the same unchanged file cost one
// decode, also after both devices closed; both play the file's samples. The
// same bytes under another name, or for an output of another format, are
// decoded for themselves.
TEST_F(SoundReuse, UnchangedFileIsDecodedOnce)
{
    const std::vector<std::int16_t> samples = ramp(300);
    const std::string path = writeSettled("voice.wav", samples);
    MCIDEVICEID page = 0;
    MCIDEVICEID player = 0;
    EXPECT_EQ(decodesToOpen(path, page), 1u);
    EXPECT_EQ(decodesToOpen(path, player), 0u);
    EXPECT_NE(page, player);
    EXPECT_EQ(playAndClose(page), samples);
    EXPECT_EQ(playAndClose(player), samples);
    MCIDEVICEID again = 0;
    EXPECT_EQ(decodesToOpen(path, again), 0u);
    EXPECT_EQ(playAndClose(again), samples);

    const std::string copy = writeSettled("copy.wav", samples);
    MCIDEVICEID other = 0;
    EXPECT_EQ(decodesToOpen(copy, other), 1u) << "another path";
    EXPECT_EQ(playAndClose(other), samples);
    EXPECT_EQ(decodesToOpen(path, other), 1u) << "only the last sound is kept";
    EXPECT_EQ(command(other, MCI_CLOSE, MCI_WAIT), 0u);

    mci::FakeAudioOutput stereo({1000, 2});
    mci::ScopedAudioOutputForTesting installed(stereo);
    MCI_OPEN_PARMS open;
    open.lpstrElementName = path.c_str();
    const std::uint64_t before = mci::soundFilesDecoded();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &open), 0u);
    EXPECT_EQ(mci::soundFilesDecoded() - before, 1u) << "decoded for the new output's format";
    ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_PLAY, 0, nullptr), 0u);
    stereo.advance(2);
    EXPECT_EQ(stereo.played(), (std::vector<std::int16_t>{samples[0], samples[0], samples[1], samples[1]}));
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
}

// Any change to the file is seen: rewritten in place with the same size and a
// new time, replaced by another file of the same size with the old time put
// back, or written so recently that a second write could keep its times.
TEST_F(SoundReuse, ChangedFileIsDecodedAfresh)
{
    const std::string path = writeSettled("voice.wav", ramp(300, 10));
    openOnce(path);

    const std::vector<std::int16_t> rewritten = ramp(300, 7);
    writeSettled("voice.wav", rewritten, kLaterLongAgo);
    MCIDEVICEID device = 0;
    EXPECT_EQ(decodesToOpen(path, device), 1u) << "rewritten with a new time";
    EXPECT_EQ(playAndClose(device), rewritten);
    EXPECT_EQ(decodesToOpen(path, device), 0u);
    EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);

    const std::vector<std::int16_t> replacement = ramp(300, 3);
    const std::string staged = writeSettled("staged.wav", replacement, kLaterLongAgo);
    ASSERT_EQ(std::rename(staged.c_str(), path.c_str()), 0);
    EXPECT_EQ(decodesToOpen(path, device), 1u) << "replaced, same size and time";
    EXPECT_EQ(playAndClose(device), replacement);

    // A time ahead of the clock stands for "just now" without depending on how
    // quickly this test runs.
    const std::string fresh = writeSettled("fresh.wav", ramp(300), ::time(nullptr) + 60);
    EXPECT_EQ(decodesToOpen(fresh, device), 1u);
    EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
    EXPECT_EQ(decodesToOpen(fresh, device), 1u) << "modified just now: not kept";
    EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
}

// A kept file that becomes damaged, vanishes, or is no longer a readable file
// fails with the code a file never opened before fails with, as a returned
// error and as a failure notification, and leaves no device open.
TEST_F(SoundReuse, FileThatBecomesUnusableFailsAsAFreshOne)
{
    const std::vector<std::uint8_t> good = pcm16Wav(ramp(300));
    const std::string path = writeSettled("voice.wav", ramp(300));

    // Damaged: the same size and time, so only the new file's identity tells.
    std::vector<std::uint8_t> damaged(good.size(), 0x55);
    const std::string neverOpened = m_files.write("damaged.wav", damaged);
    const MCIERROR freshError = openError(neverOpened);
    EXPECT_EQ(freshError, MCIERR_INVALID_FILE);
    openOnce(path);
    const std::string staged = m_files.write("staged.wav", damaged);
    setModified(staged, kLongAgo);
    ASSERT_EQ(std::rename(staged.c_str(), path.c_str()), 0);
    EXPECT_EQ(openError(path), freshError);

    writeSettled("voice.wav", ramp(300));
    openOnce(path);
    ASSERT_EQ(::unlink(path.c_str()), 0);
    EXPECT_EQ(openError(path), MCIERR_FILE_NOT_FOUND);

    writeSettled("voice.wav", ramp(300));
    openOnce(path);
    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(openError(path), MCIERR_FILE_READ);
    ASSERT_EQ(::rmdir(path.c_str()), 0);

    if (::geteuid() != 0) { // permissions do not stop the superuser
        writeSettled("voice.wav", ramp(300));
        openOnce(path);
        ASSERT_EQ(::chmod(path.c_str(), 0), 0);
        EXPECT_EQ(openError(path), MCIERR_FILE_READ);
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    }

    writeSettled("voice.wav", ramp(300));
    EXPECT_EQ(openError(path), 0u) << "usable again";
}

// A device goes on playing a reused sound to its end while the other device
// that shares it closes and another file's decode lets the kept sound go; the
// output pulls on a thread of its own meanwhile, as the audio thread does.
TEST_F(SoundReuse, SharedSoundStaysWholeWhileItPlays)
{
    const std::vector<std::int16_t> samples = ramp(20000);
    const std::string path = writeSettled("voice.wav", samples);
    const MCIDEVICEID page = openFile(path);
    const MCIDEVICEID player = openFile(path);
    m_output.clearPlayed();
    ASSERT_EQ(play(player, 0), 0u);

    std::atomic<bool> done{false};
    std::thread audio([&] {
        while (!done.load() && m_output.advance(5))
            std::this_thread::yield();
    });
    EXPECT_EQ(command(page, MCI_CLOSE, MCI_WAIT), 0u);
    const std::string other = writeSettled("other.wav", ramp(500, 3));
    for (int i = 0; i < 5; ++i) {
        MCIDEVICEID device = 0;
        EXPECT_EQ(decodesToOpen(i % 2 ? path : other, device), 1u);
        EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
    }
    done.store(true);
    audio.join();

    m_output.advance(samples.size());
    EXPECT_EQ(mode(player), MCI_MODE_STOP);
    std::vector<std::int16_t> heard = m_output.played();
    heard.resize(samples.size());
    EXPECT_EQ(heard, samples);
    EXPECT_EQ(command(player, MCI_CLOSE, MCI_WAIT), 0u);
}
