// A parent's voice memo becomes a page's sound: whatever the phone recorded
// (AAC in m4a, Opus in Ogg, AMR, MP3, FLAC, WAV) is decoded to mono at 22 050
// or 44 100 Hz, the silence at both ends is cut to short margins, the peak is
// brought to the common level, and long or silent or damaged memos are told
// or refused.
#include "tools/content/wave_clip.h"
#include "tools/page/page_errors.h"
#include "tools/page/sound_source.h"
#include "tools/page/voice_import.h"

#include "tests/support/phone_sources.h"
#include "tests/support/test_files.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace phonesources;
using namespace testfiles;

// The margins the tidying keeps around the voice, and the slack codecs add
// (AAC's and MP3's frames, Opus's pre-skip).
constexpr double kMargins = 0.05 + 0.12;
constexpr double kCodecSlack = 0.06;

ImportedVoice import(const QString& path)
{
    QString progress;
    QTextStream stream(&progress);
    return importVoice(readFile(path), path, stream);
}

QString voiceRefusal(const QByteArray& bytes)
{
    QString progress;
    QTextStream stream(&progress);
    try {
        importVoice(bytes, QStringLiteral("memo"), stream);
    } catch (const EPageRefused& error) {
        return QString::fromUtf8(error.what());
    }
    ADD_FAILURE() << "not refused";
    return {};
}

int peak(const content::WaveClip& clip)
{
    int loudest = 0;
    for (const std::int16_t sample : clip.samples)
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    return loudest;
}

// Seconds before the first sample louder than a tenth of the peak.
double leadIn(const content::WaveClip& clip)
{
    const int threshold = peak(clip) / 10;
    const auto first = std::find_if(clip.samples.begin(), clip.samples.end(),
                                    [threshold](std::int16_t s) { return std::abs(static_cast<int>(s)) > threshold; });
    return static_cast<double>(first - clip.samples.begin()) / clip.sampleRate;
}

} // namespace

// Each kind: mono at the rate that suits its source, 0.8 s of silence at
// each end cut down to the margins, the loudest sample at the common peak.
TEST(SoundImport, EveryPhoneKindIsDecodedTrimmedAndEvened)
{
    const QTemporaryDir work;
    const struct {
        const char* name;
        int rate;
    } kinds[] = {{"m.m4a", 44100}, {"m.ogg", 44100},  {"m.amr", 22050},
                 {"m.mp3", 44100}, {"m.flac", 44100}, {"m.wav", 44100}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QString path = work.filePath(QLatin1String(kind.name));
        makeMemo(path, {0.8, 1.2, 0.8, 0.5, 44100, 2});
        const ImportedVoice voice = import(path);
        EXPECT_EQ(voice.clip.sampleRate, kind.rate);
        const double seconds = clipSeconds(voice.clip);
        EXPECT_NEAR(seconds, 1.2 + kMargins, kCodecSlack + 0.02) << "0.8 s of silence at each end trimmed";
        EXPECT_LT(leadIn(voice.clip), 0.05 + kCodecSlack) << "the voice starts at once";
        EXPECT_NEAR(peak(voice.clip), content::kSpeechPeak, content::kSpeechPeak * 0.04);
        EXPECT_TRUE(voice.warnings.isEmpty()) << voice.warnings.join('\n').toStdString();
    }
}

// A memo recorded at 8 kHz mono (old phones) is written at the lower rate;
// a quiet one is raised to the common level.
TEST(SoundImport, LowRateAndQuietMemos)
{
    const QTemporaryDir work;
    const QString quiet = work.filePath(QStringLiteral("quiet.wav"));
    makeMemo(quiet, {0.2, 0.5, 0.2, 0.05, 8000, 1});
    const ImportedVoice voice = import(quiet);
    EXPECT_EQ(voice.clip.sampleRate, kLowSoundRate);
    EXPECT_NEAR(peak(voice.clip), content::kSpeechPeak, content::kSpeechPeak * 0.04) << "raised twentyfold";
    EXPECT_TRUE(voice.warnings.isEmpty()) << voice.warnings.join('\n').toStdString();
}

// Over ten seconds is told (keys wait for the sound), not refused.
TEST(SoundImport, LongMemoIsWarnedAbout)
{
    const QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("long.m4a"));
    makeMemo(path, {0.1, 11.0, 0.1, 0.5, 44100, 1});
    const ImportedVoice voice = import(path);
    ASSERT_EQ(voice.warnings.size(), 1);
    EXPECT_TRUE(voice.warnings.first().contains(QStringLiteral("keys do nothing")))
        << voice.warnings.first().toStdString();
}

// Silence, a cut-off m4a (its index at the end, or its sound cut short), a
// picture or a text under a sound's name, and a rate no recording has are refused.
TEST(SoundImport, RefusesWhatCannotBeAVoice)
{
    const QTemporaryDir work;
    const QString silent = work.filePath(QStringLiteral("silent.wav"));
    makeMemo(silent, {0.5, 0.5, 0.5, 0.0, 44100, 1});
    EXPECT_TRUE(voiceRefusal(readFile(silent)).contains(QStringLiteral("only silence")));

    const QString memo = work.filePath(QStringLiteral("memo.m4a"));
    makeMemo(memo, {0.2, 2.0, 0.2, 0.5, 44100, 2});
    const QByteArray whole = readFile(memo);
    const QString indexLost = voiceRefusal(whole.left(whole.size() * 2 / 3));
    EXPECT_TRUE(indexLost.contains(QStringLiteral("moov atom not found"))) << indexLost.toStdString();

    const QString fast = work.filePath(QStringLiteral("fast.m4a"));
    runTool(QStringLiteral("ffmpeg"),
            {QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-i"), memo, QStringLiteral("-c"),
             QStringLiteral("copy"), QStringLiteral("-movflags"), QStringLiteral("+faststart"), fast});
    const QByteArray streamable = readFile(fast);
    const QString cutShort = voiceRefusal(streamable.left(streamable.size() * 2 / 3));
    EXPECT_TRUE(cutShort.contains(QStringLiteral("damaged")) || cutShort.contains(QStringLiteral("ends early")))
        << cutShort.toStdString();

    const QString picture = voiceRefusal(QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(2000, '\x11'));
    EXPECT_TRUE(picture.startsWith(QStringLiteral("memo: cannot use it as a sound"))) << picture.toStdString();
    EXPECT_FALSE(voiceRefusal("Just some words.\n").isEmpty());
    // Found by fuzzing: a WAV claiming 1.6 GHz, from which the resampler
    // would have built a filter of billions of taps.
    const QString absurd = voiceRefusal(
        readFile(QStringLiteral(TOLVIKA_TEST_FIXTURES "/page/wav_claiming_absurd_rate.wav")));
    EXPECT_TRUE(absurd.contains(QStringLiteral("which no recording has"))) << absurd.toStdString();
    // An AMR memo followed by 40 000 pause frames of one byte and 20 ms: 800 s
    // that hold nothing to decode, in a file whose size makes it look short.
    const QString amr = work.filePath(QStringLiteral("memo.amr"));
    makeMemo(amr, {0.2, 1.0, 0.2, 0.5, 44100, 1});
    const QString pauses = voiceRefusal(readFile(amr) + QByteArray(40000, '\x7C'));
    EXPECT_TRUE(pauses.contains(QStringLiteral("lasts more than the 600"))) << pauses.toStdString();
}
