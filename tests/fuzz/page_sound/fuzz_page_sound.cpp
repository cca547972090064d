// Fuzzes the page tool's sound import on a file's bytes: FFmpeg's demuxers
// chosen by the content, the decoder, the conversion to mono 16-bit at one of
// the two page rates, then the trimming and levelling. A refusal is
// EPageRefused; anything else thrown, a rate other than the two, or a tidied
// sound longer than the decoded one is a fault.
#include "tests/fuzz/support/fuzz_application.h"
#include "tests/fuzz/support/fuzz_fault.h"

#include "tools/content/wave_clip.h"
#include "tools/page/page_errors.h"
#include "tools/page/sound_source.h"
#include "tools/page/voice_import.h"

#include <QTextStream>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    startOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        SoundSource source(bytes);
        const content::WaveClip decoded = source.decodeMono();
        if (decoded.sampleRate != kLowSoundRate && decoded.sampleRate != kHighSoundRate)
            fuzzFault("a rate other than the page rates");
        if (decoded.samples.empty() || clipSeconds(decoded) > kMaxSoundSeconds + 1.0)
            fuzzFault("a decoded sound outside the limits");
        const content::WaveClip tidy = content::tidySpeech(decoded, kVoiceMaxGain);
        if (tidy.samples.size() > decoded.samples.size() || tidy.sampleRate != decoded.sampleRate)
            fuzzFault("the tidied sound grew");
    } catch (const EPageRefused&) {
        // a refusal with its reason: expected for most inputs
    } catch (const Exception& error) {
        if (std::string(error.what()) != "The speech clip is silent")
            fuzzFault(error.what());
    }
    return 0;
}
