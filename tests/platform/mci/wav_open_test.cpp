// Opening WAV files: every encoding decodes to the output's samples, and every
// kind of bad file fails with its own code and leaves no device open.
#include "tests/platform/mci/mci_test_support.h"

#include "platform/mci/wav_decoder.h"

#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace mcitest;

namespace {

class WavOpen : public MciTest {
protected:
    // Opens the bytes as a file and plays all of it into the fake; returns the samples heard.
    std::vector<std::int16_t> decode(const std::vector<std::uint8_t>& bytes)
    {
        const MCIDEVICEID device = openFile(m_files.write("sound.wav", bytes));
        const auto frames = static_cast<std::size_t>(status(device, MCI_STATUS_LENGTH));
        m_output.clearPlayed();
        EXPECT_EQ(play(device, 0), 0u);
        m_output.advance(frames + 1);
        EXPECT_EQ(mode(device), MCI_MODE_STOP);
        EXPECT_EQ(command(device, MCI_CLOSE, MCI_WAIT), 0u);
        std::vector<std::int16_t> heard = m_output.played();
        heard.resize(frames * static_cast<std::size_t>(m_output.format().channels));
        return heard;
    }

    MCIERROR openError(const std::string& path, std::uint32_t flags = MCI_WAIT | MCI_OPEN_ELEMENT,
                       const char* type = nullptr)
    {
        MCI_OPEN_PARMS open;
        open.lpstrElementName = path.c_str();
        open.lpstrDeviceType = type;
        open.wDeviceID = 77;
        const MCIERROR error = mciSendCommand(0, MCI_OPEN, flags, &open);
        if (error != 0) {
            EXPECT_EQ(open.wDeviceID, 77u) << "a failed open must not hand out an identifier";
        }
        EXPECT_EQ(mci::openDeviceCount(), 0u) << path;
        return error;
    }

    std::vector<std::uint8_t> validWav() { return pcm16Wav(ramp(200)); }
};

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> out;
    for (const int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

} // namespace

// Each PCM width and the float, mu-law and A-law encodings reach the output as
// the 16-bit samples they stand for.
TEST_F(WavOpen, EveryEncodingDecodesToItsSamples)
{
    WavFormat u8;
    u8.bits = 8;
    EXPECT_EQ(decode(wavBytes(u8, bytesOf({128, 129, 127, 255, 0}))),
              (std::vector<std::int16_t>{0, 256, -256, 32512, -32768}));

    EXPECT_EQ(decode(pcm16Wav({0, 1, -1, 32767, -32768})), (std::vector<std::int16_t>{0, 1, -1, 32767, -32768}));

    WavFormat s24;
    s24.bits = 24;
    EXPECT_EQ(decode(wavBytes(s24, bytesOf({0, 0x34, 0x12, 0, 0xCC, 0xED, 0xFF, 0xFF, 0x7F}))),
              (std::vector<std::int16_t>{0x1234, -0x1234, 32767}));

    WavFormat s32;
    s32.bits = 32;
    EXPECT_EQ(decode(wavBytes(s32, bytesOf({0, 0, 0x34, 0x12, 0, 0, 0xCC, 0xED}))),
              (std::vector<std::int16_t>{0x1234, -0x1234}));

    WavFormat f32;
    f32.tag = 3;
    f32.bits = 32;
    std::vector<std::uint8_t> floats;
    for (const float f : {0.5f, -0.25f, 2.0f, -2.0f}) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&f);
        for (int i = 0; i < 4; ++i)
            floats.push_back(p[i]);
    }
    EXPECT_EQ(decode(wavBytes(f32, floats)), (std::vector<std::int16_t>{16384, -8192, 32767, -32768}));

    WavFormat mulaw;
    mulaw.tag = 7;
    mulaw.bits = 8;
    EXPECT_EQ(decode(wavBytes(mulaw, bytesOf({0xFF, 0x80, 0x00}))), (std::vector<std::int16_t>{0, 32124, -32124}));

    WavFormat alaw;
    alaw.tag = 6;
    alaw.bits = 8;
    EXPECT_EQ(decode(wavBytes(alaw, bytesOf({0xD5, 0xAA, 0x2A}))), (std::vector<std::int16_t>{8, 32256, -32256}));
}

// Both ADPCM encodings decode: a block whose every step is zero holds its first sample.
TEST_F(WavOpen, AdpcmBlocksDecode)
{
    WavFormat ima;
    ima.tag = 0x11;
    ima.bits = 4;
    ima.blockAlign = 36; // 4 header bytes and 64 samples of 4 bits
    ima.extension = bytesOf({2, 0, 65, 0}); // 2 extra bytes: 65 samples a block
    std::vector<std::uint8_t> block = bytesOf({0xD2, 0x04, 0, 0}); // first sample 1234, step index 0
    block.resize(36, 0);
    const std::vector<std::int16_t> imaSamples = decode(wavBytes(ima, block));
    EXPECT_EQ(imaSamples, std::vector<std::int16_t>(65, 1234));

    WavFormat ms;
    ms.tag = 0x02;
    ms.bits = 4;
    ms.blockAlign = 39; // 7 header bytes and 64 samples of 4 bits
    ms.extension = bytesOf({32,   0, 66,   0, 7, 0, // 32 extra bytes: 66 samples a block, 7 coefficient pairs
                            0,    1, 0,    0, 0, 2, 0,    0xFF, 0,    0,    0,    0, 0xC0, 0,
                            0x40, 0, 0xF0, 0, 0, 0, 0xCC, 1,    0x30, 0xFF, 0x88, 1, 0x18, 0xFF});
    std::vector<std::uint8_t> msBlock = bytesOf({0, 16, 0, 0xF4, 0x01, 0xF4, 0x01}); // pair 0, delta 16, 500, 500
    msBlock.resize(39, 0);
    EXPECT_EQ(decode(wavBytes(ms, msBlock)), std::vector<std::int16_t>(66, 500));
}

// Float samples between two steps round to the nearer one, halves away from
// zero, and values beyond full scale (infinities too) are clamped; NaN is silence.
TEST_F(WavOpen, FloatSamplesRoundHalvesAwayFromZero)
{
    WavFormat f32;
    f32.tag = 3;
    f32.bits = 32;
    constexpr float step = 1.0f / 32768.0f;
    const float values[] = {0.5f * step,     -0.5f * step,     1.5f * step, -2.5f * step, 0.49f * step, -0.51f * step,
                            32766.5f * step, -32767.5f * step, 1e30f,       -INFINITY,    NAN};
    std::vector<std::uint8_t> floats;
    for (const float f : values) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&f);
        floats.insert(floats.end(), p, p + 4);
    }
    EXPECT_EQ(decode(wavBytes(f32, floats)),
              (std::vector<std::int16_t>{1, -1, 2, -3, 0, -1, 32767, -32768, 32767, -32768, 0}));
}

// Channels and rates are converted to the output's once, at open.
TEST_F(WavOpen, ChannelsAndRateAreConvertedToTheOutput)
{
    // Stereo into the mono output: the two channels are averaged.
    EXPECT_EQ(decode(pcm16Wav({1000, 3000, -100, 100}, 1000, 2)), (std::vector<std::int16_t>{2000, 0}));
    // Twice the output's rate: every second frame.
    EXPECT_EQ(decode(pcm16Wav({10, 20, 30, 40, 50, 60}, 2000)), (std::vector<std::int16_t>{10, 30, 50}));
}

// Into a stereo output at twice the file's rate: mono is doubled and the frames
// between two of the file's lie half-way.
TEST(WavOpenConversion, MonoIntoFasterStereoOutput)
{
    mci::FakeAudioOutput output({2000, 2});
    mci::ScopedAudioOutputForTesting installed(output);
    Files files;
    MCI_OPEN_PARMS open;
    const std::string path = files.write("mono.wav", pcm16Wav({100, 300, 500}));
    open.lpstrElementName = path.c_str();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &open), 0u);
    ASSERT_EQ(mciSendCommand(open.wDeviceID, MCI_PLAY, 0, nullptr), 0u);
    output.advance(6);
    EXPECT_EQ(output.played(), (std::vector<std::int16_t>{100, 100, 200, 200, 300, 300, 400, 400, 500, 500, 500, 500}));
    EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
}

// A missing file, a folder, a named pipe and a file that is not a WAV each fail
// with their own code, and the codes have different texts.
TEST_F(WavOpen, MissingUnreadableAndInvalidFilesFailWithTheirOwnCodes)
{
    EXPECT_EQ(openError(m_files.path("absent.wav")), MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(openError(m_files.path("no/such/folder/a.wav")), MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(openError(m_files.write("is-a-file", {1}) + "/below.wav"), MCIERR_FILE_NOT_FOUND);

    ASSERT_EQ(::mkdir(m_files.path("folder.wav").c_str(), 0700), 0);
    EXPECT_EQ(openError(m_files.path("folder.wav")), MCIERR_FILE_READ);
    ASSERT_EQ(::mkfifo(m_files.path("pipe.wav").c_str(), 0600), 0);
    EXPECT_EQ(openError(m_files.path("pipe.wav")), MCIERR_FILE_READ) << "a pipe must neither hang nor be read";
    if (::geteuid() != 0) { // permissions do not stop the superuser
        const std::string locked = m_files.write("locked.wav", validWav());
        ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
        EXPECT_EQ(openError(locked), MCIERR_FILE_READ);
    }

    const std::string text = "Not a sound at all, only words.\n";
    EXPECT_EQ(openError(m_files.write("text.wav", std::vector<std::uint8_t>(text.begin(), text.end()))),
              MCIERR_INVALID_FILE);
    EXPECT_EQ(openError(m_files.write("picture.wav", bytesOf({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}))),
              MCIERR_INVALID_FILE);

    char missing[256], unreadable[256], invalid[256];
    ASSERT_TRUE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, missing, sizeof missing));
    ASSERT_TRUE(mciGetErrorString(MCIERR_FILE_READ, unreadable, sizeof unreadable));
    ASSERT_TRUE(mciGetErrorString(MCIERR_INVALID_FILE, invalid, sizeof invalid));
    EXPECT_STRNE(missing, unreadable);
    EXPECT_STRNE(missing, invalid);
    EXPECT_STRNE(unreadable, invalid);
}

// Damaged WAVs fail to open rather than play in part: empty, cut short, a data
// size beyond the file, no channels, absurd rates, an unknown encoding, no samples.
TEST_F(WavOpen, DamagedWavsAreRefused)
{
    const std::vector<std::uint8_t> good = validWav();
    EXPECT_EQ(openError(m_files.write("empty.wav", {})), MCIERR_INVALID_FILE);
    EXPECT_EQ(openError(m_files.write("header-only.wav", {good.begin(), good.begin() + 20})), MCIERR_INVALID_FILE);
    EXPECT_EQ(openError(m_files.write("cut.wav", {good.begin(), good.begin() + 44 + 101})), MCIERR_INVALID_FILE);

    std::vector<std::uint8_t> lying = good;
    lying[40] = 0x10; // data size: 1 MiB more than there is
    lying[42] = 0x10;
    EXPECT_EQ(openError(m_files.write("lying.wav", lying)), MCIERR_INVALID_FILE);

    WavFormat format;
    format.channels = 0;
    EXPECT_EQ(openError(m_files.write("silent.wav", wavBytes(format, le16(ramp(10))))), MCIERR_INVALID_FILE);
    format.channels = 3;
    EXPECT_EQ(openError(m_files.write("three.wav", wavBytes(format, le16(ramp(30))))), MCIERR_INVALID_FILE);
    format.channels = 1;
    for (const std::uint32_t rate : {0u, 1u, 999u, 384001u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        format.rate = rate;
        EXPECT_EQ(openError(m_files.write("rate.wav", wavBytes(format, le16(ramp(10))))), MCIERR_INVALID_FILE) << rate;
    }
    format.rate = 1000;
    format.tag = 0x55; // compressed in a way the loader does not decode
    EXPECT_EQ(openError(m_files.write("other.wav", wavBytes(format, le16(ramp(10))))), MCIERR_INVALID_FILE);
    format.tag = 1;
    EXPECT_EQ(openError(m_files.write("nothing.wav", wavBytes(format, {}))), MCIERR_INVALID_FILE);
}

// Opening needs a file: no element, an empty one, a device type alone, or a
// device type other than wave audio all fail clearly.
TEST_F(WavOpen, OpeningNeedsAWaveFile)
{
    const std::string path = m_files.write("good.wav", validWav());
    EXPECT_EQ(openError("", MCI_WAIT | MCI_OPEN_ELEMENT), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(openError(path, MCI_WAIT), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(openError(path, MCI_WAIT | MCI_OPEN_TYPE, "WaveAudio"), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(openError(path, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "CDAudio"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(openError(path, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, nullptr), MCIERR_INVALID_DEVICE_NAME);
    MCI_OPEN_PARMS noName;
    EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &noName), MCIERR_FILENAME_REQUIRED);
    EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, nullptr), MCIERR_NULL_PARAMETER_BLOCK);

    MCI_OPEN_PARMS typed;
    typed.lpstrDeviceType = "waveaudio";
    typed.lpstrElementName = path.c_str();
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE, &typed), 0u);
    EXPECT_EQ(mciSendCommand(typed.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
}

// Memory is bounded: a file beyond the bound is refused before it is read, and
// so is a sound whose decoded form would exceed it.
TEST_F(WavOpen, SoundsBeyondTheMemoryBoundAreRefused)
{
    const std::string big = m_files.write("big.wav", validWav());
    ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(mci::kMaxFileBytes + 1)), 0); // sparse: costs no disk
    EXPECT_EQ(openError(big), MCIERR_SOUND_TOO_LARGE);

    // One MiB of 8-bit mono at 1 kHz becomes 1.5 GiB at 384 kHz in stereo.
    mci::FakeAudioOutput fast({384000, 2});
    mci::ScopedAudioOutputForTesting installed(fast);
    WavFormat u8;
    u8.bits = 8;
    EXPECT_EQ(openError(m_files.write("long.wav", wavBytes(u8, std::vector<std::uint8_t>(1 << 20, 128)))),
              MCIERR_SOUND_TOO_LARGE);
}

// A few hundred mutated headers and cuts of valid files of each encoding never
// crash or hang: each opens, or fails as an invalid or too large sound.
TEST_F(WavOpen, MutatedFilesNeverCrash)
{
    std::vector<std::vector<std::uint8_t>> seeds;
    seeds.push_back(validWav());
    WavFormat u8;
    u8.bits = 8;
    u8.channels = 2;
    seeds.push_back(wavBytes(u8, std::vector<std::uint8_t>(300, 140)));
    WavFormat ima;
    ima.tag = 0x11;
    ima.bits = 4;
    ima.blockAlign = 36;
    ima.extension = bytesOf({2, 0, 65, 0});
    seeds.push_back(wavBytes(ima, std::vector<std::uint8_t>(72, 0x37)));
    WavFormat f32;
    f32.tag = 3;
    f32.bits = 32;
    seeds.push_back(wavBytes(f32, std::vector<std::uint8_t>(400, 0x3E)));

    std::mt19937 random(20240611); // fixed: the same cases on every run
    const std::uint32_t extremes[] = {0, 1, 2, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF, 44100};
    int opened = 0;
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> bytes = seeds[static_cast<std::size_t>(round) % seeds.size()];
        const int mutations = 1 + static_cast<int>(random() % 4);
        for (int m = 0; m < mutations; ++m) {
            const std::size_t headerEnd = std::min<std::size_t>(bytes.size(), 64);
            switch (random() % 4) {
            case 0: // one byte of the header
                if (headerEnd)
                    bytes[random() % headerEnd] = static_cast<std::uint8_t>(random());
                break;
            case 1: // a 32-bit field set to an extreme
                if (headerEnd >= 4) {
                    const std::size_t at = random() % (headerEnd - 3);
                    const std::uint32_t v = extremes[random() % std::size(extremes)];
                    for (int k = 0; k < 4; ++k)
                        bytes[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
                }
                break;
            case 2: // cut anywhere
                bytes.resize(random() % (bytes.size() + 1));
                break;
            default: // a byte anywhere
                if (!bytes.empty())
                    bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
                break;
            }
        }
        MCI_OPEN_PARMS open;
        const std::string path = m_files.write("mutant.wav", bytes);
        open.lpstrElementName = path.c_str();
        const MCIERROR error = mciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &open);
        if (error == 0) {
            ++opened;
            EXPECT_EQ(play(open.wDeviceID, 0), 0u);
            m_output.advance(64);
            EXPECT_EQ(mciSendCommand(open.wDeviceID, MCI_CLOSE, 0, nullptr), 0u);
        } else {
            ++refused;
            EXPECT_TRUE(error == MCIERR_INVALID_FILE || error == MCIERR_SOUND_TOO_LARGE) << "round " << round;
        }
        ASSERT_EQ(mci::openDeviceCount(), 0u);
    }
    EXPECT_GT(refused, 100);
    EXPECT_GT(opened, 10) << "the mutations should leave some files playable";
}

// A file's bytes already in memory decode exactly as the file does; empty
// bytes are an invalid sound.
TEST_F(WavOpen, BytesInMemoryDecodeAsTheFileDoes)
{
    const std::vector<std::uint8_t> bytes = pcm16Wav(ramp(300), 8000, 2);
    const mci::AudioFormat target{1000, 1};
    mci::DecodedSound fromFile;
    mci::DecodedSound fromBytes;
    ASSERT_EQ(mci::decodeWavFile(m_files.write("ramp.wav", bytes).c_str(), target, fromFile), 0u);
    ASSERT_EQ(mci::decodeWavBytes(bytes.data(), bytes.size(), target, fromBytes), 0u);
    EXPECT_EQ(fromBytes.format, target);
    EXPECT_EQ(fromBytes.frames(), 18u); // 150 stereo frames at 8 kHz last 18.75 ms
    EXPECT_EQ(fromBytes.samples, fromFile.samples);
    mci::DecodedSound untouched;
    EXPECT_EQ(mci::decodeWavBytes(bytes.data(), 0, target, untouched), MCIERR_INVALID_FILE);
    EXPECT_TRUE(untouched.samples.empty());
}

namespace {

// The process's peak of virtual memory so far, in bytes.
std::uint64_t peakVirtualBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmPeak:", 0) == 0)
            return std::stoull(line.substr(7)) * 1024; // given in kB
    return 0;
}

} // namespace

// Found by fuzzing: a 108-byte file whose data chunk claims 4 GiB made the
// loader ask for those 4 GiB before it found the file short. It is refused as
// invalid without asking for more memory than the file could ever need.
TEST_F(WavOpen, DataChunkClaimingGigabytesIsRefusedWithoutAllocatingThem)
{
    const std::string fixture = TOLVIKA_TEST_FIXTURES "/mci/data_chunk_claims_4_gib.wav";
    const std::uint64_t before = peakVirtualBytes();
    ASSERT_GT(before, 0u);
    mci::DecodedSound sound;
    EXPECT_EQ(mci::decodeWavFile(fixture.c_str(), m_output.format(), sound), MCIERR_INVALID_FILE);
    EXPECT_LT(peakVirtualBytes() - before, std::uint64_t{1} << 30);
    EXPECT_EQ(openError(fixture), MCIERR_INVALID_FILE);
}
