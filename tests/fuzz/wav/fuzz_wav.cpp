// Fuzzes the media layer's WAV decoder on a file's bytes: SDL's loader for the
// encodings, then our checks and the conversion of channels and rate into a
// few output formats (the same rate, mono to stereo, stereo to mono, up and
// down sampling). A refusal is an error code; a decoded sound must hold whole
// frames in exactly the format asked for.
#include "platform/mci/wav_decoder.h"
#include "tests/fuzz/support/fuzz_fault.h"

#include <cstdint>

namespace {

// Output formats: a common device rate in stereo, the fake output's clock of
// one frame a millisecond, and a low-rate mono one.
constexpr mci::AudioFormat kTargets[] = {{44100, 2}, {1000, 1}, {8000, 1}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const mci::AudioFormat target : kTargets) {
        mci::DecodedSound sound;
        const MCIERROR error = mci::decodeWavBytes(data, size, target, sound);
        if (error != 0) {
            if (error != MCIERR_INVALID_FILE && error != MCIERR_SOUND_TOO_LARGE)
                fuzzFault("an unexpected error code");
            if (!sound.samples.empty())
                fuzzFault("a refused sound was filled in");
            continue;
        }
        if (sound.format.rate != target.rate || sound.format.channels != target.channels)
            fuzzFault("the sound is not in the format asked for");
        if (sound.frames() == 0 || sound.samples.size() % static_cast<std::size_t>(target.channels) != 0)
            fuzzFault("the sound does not hold whole frames");
    }
    return 0;
}
