// The last sound the media layer decoded, kept so that opening the same file
// again costs no second decode: a letter's page opens its sound, and the
// player opens it again at once to play it. A kept sound is given out again
// only for the same path, decoded for the same output format, from a file
// whose stamp (device, inode, size, modification and change times to the
// nanosecond) is unchanged; anything else is decoded afresh. The sound is
// shared with the devices that play it and never changed, so the audio thread
// may go on reading it after it is let go here. Safe to use from any thread.
#pragma once

#include "platform/mci/audio_output.h"
#include "platform/mci/wav_decoder.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace mci {

class LastDecodedSound {
public:
    // What a decoded sound was made from.
    struct Origin {
        std::string path; // the bytes the file system knows the file by
        AudioFormat format;
        SoundFileStamp stamp;
        friend bool operator==(const Origin&, const Origin&) = default;
    };

    // The kept sound when it was made from `origin`. Otherwise nothing, and
    // the kept sound is let go, so that the decode that follows does not hold
    // two sounds in memory.
    std::shared_ptr<const DecodedSound> reuse(const Origin& origin);
    // Keeps `sound`, made from `origin` by a read that began at `openedAtNs`
    // (wall clock, as file times count). A file modified shortly before that
    // could be written again without its times changing, so its sound is not kept.
    void keep(Origin origin, std::shared_ptr<const DecodedSound> sound, std::int64_t openedAtNs);
    void forget();

private:
    std::mutex m_mutex; // opens may come from any thread
    std::optional<Origin> m_origin;
    std::shared_ptr<const DecodedSound> m_sound;
};

} // namespace mci
