// Reading the synthesiser's wave stream and tidying a clip: the margins, the
// common peak and the file written back.
#include "tools/content/wave_clip.h"

#include "platform/exception/exception.h"
#include "tests/tools/content/bundled_file_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using content::WaveClip;

std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

std::string le16(std::uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

// A stream as a synthesiser writing into a pipe leaves it: sizes unknown.
std::string streamedWave(const std::vector<std::int16_t>& samples, std::uint16_t channels = 1, std::uint16_t bits = 16,
                         std::uint32_t dataSize = 0x7FFFF000)
{
    std::string b = "RIFF" + le32(0x7FFFF024) + "WAVE";
    b += "fmt " + le32(16) + le16(1) + le16(channels) + le32(22050) + le32(44100) + le16(2) + le16(bits);
    b += "LIST" + le32(3) + "abc" + std::string(1, '\0'); // odd-sized chunk with its pad byte
    b += "data" + le32(dataSize);
    for (std::int16_t s : samples)
        b += le16(static_cast<std::uint16_t>(s));
    return b;
}

} // namespace

// A data chunk whose size runs past the end is read to the end; an odd-sized
// chunk before it is skipped with its pad byte.
TEST(WaveClip, ReadsStreamWithUnknownSizes)
{
    const WaveClip clip = content::parseWave(streamedWave({1, -2, 300, -32768, 32767}));
    EXPECT_EQ(clip.sampleRate, 22050);
    EXPECT_EQ(clip.samples, (std::vector<std::int16_t>{1, -2, 300, -32768, 32767}));
}

// Anything but 16-bit mono PCM in a RIFF/WAVE stream is refused.
TEST(WaveClip, RefusesOtherForms)
{
    EXPECT_THROW(content::parseWave("RIFX0000WAVE"), Exception);
    EXPECT_THROW(content::parseWave(""), Exception);
    EXPECT_THROW(content::parseWave(streamedWave({1, 2}, 2)), Exception);
    EXPECT_THROW(content::parseWave(streamedWave({1, 2}, 1, 8)), Exception);
    std::string noData = streamedWave({});
    noData.resize(noData.size() - 8);
    EXPECT_THROW(content::parseWave(noData), Exception);
}

// Long silence around the speech is cut to short margins, and the loudest
// sample is raised to the common peak; the shape of the sound is kept.
TEST(WaveClip, TidyTrimsSilenceAndEvensTheLevel)
{
    WaveClip clip;
    clip.sampleRate = 10000;
    clip.samples.assign(10000, 0); // a second of silence
    for (int i = 0; i < 2000; ++i) // 0.2 s of a tone at 1/4 scale
        clip.samples.push_back(static_cast<std::int16_t>((i % 20 < 10) ? 8000 : -8000));
    clip.samples.insert(clip.samples.end(), 10000, 3); // a second of near-silence

    const WaveClip tidy = content::tidySpeech(clip);
    EXPECT_EQ(tidy.sampleRate, 10000);
    // 50 ms before, the 2000 samples, 120 ms after.
    EXPECT_EQ(tidy.samples.size(), 500u + 2000u + 1200u);
    EXPECT_EQ(tidy.samples[499], 0);
    const auto [low, high] = std::minmax_element(tidy.samples.begin(), tidy.samples.end());
    EXPECT_NEAR(*high, 29163, 2); // 0.89 of full scale
    EXPECT_NEAR(*low, -29163, 2);
    EXPECT_GT(tidy.samples[500], 0); // the tone starts where it started
}

// A quiet clip is raised by at most four times, and a silent one is an error
// rather than a page that says nothing.
TEST(WaveClip, TidyLimitsGainAndRefusesSilence)
{
    WaveClip quiet;
    quiet.sampleRate = 8000;
    quiet.samples.assign(800, 400);
    const WaveClip raised = content::tidySpeech(quiet);
    EXPECT_EQ(*std::max_element(raised.samples.begin(), raised.samples.end()), 1600);

    WaveClip silent;
    silent.sampleRate = 8000;
    silent.samples.assign(8000, 100);
    EXPECT_THROW(content::tidySpeech(silent), Exception);
}

// The written file is a canonical 44-byte-header PCM wave whose sizes agree,
// and reading it back gives the same samples.
TEST(WaveClip, WrittenFileIsCanonicalAndRoundTrips)
{
    WaveClip clip;
    clip.sampleRate = 22050;
    clip.samples = {0, 1000, -1000, 32767, -32768, 7};
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tolvika_wave_clip_test.wav";
    content::writeWaveFile(clip, file);
    const std::string bytes = bundled::readBytes(file);
    EXPECT_EQ(bytes.size(), 44u + 12u);
    const bundled::WaveFacts facts = bundled::inspectWave(file);
    EXPECT_TRUE(facts.sizesConsistent);
    EXPECT_EQ(facts.format, 1);
    EXPECT_EQ(facts.channels, 1);
    EXPECT_EQ(facts.sampleRate, 22050u);
    EXPECT_EQ(content::parseWave(bytes).samples, clip.samples);
    std::filesystem::remove(file);
}
