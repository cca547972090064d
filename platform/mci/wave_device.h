// The playback state of one open wave audio device: its decoded sound (shared,
// never changed: the layer may give the same sound to the next device that
// opens the same file), where playing stands and where it ends, its mode, and
// the one notification it may still owe. Plain state, guarded by the media
// layer's mutex; it neither locks nor posts anything itself.
#pragma once

#include "platform/mci/mci.h"
#include "platform/mci/wav_decoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace mci {

// How the latest play of a device came to an end.
enum class PlayEnding { None, Finished, Stopped, Failed };

struct WaveDevice {
    WaveDevice(MCIDEVICEID deviceId, std::shared_ptr<const DecodedSound> decoded);

    // Milliseconds are whole and rounded down; the length is the sound's end.
    std::uint32_t lengthMs() const;
    std::uint32_t positionMs() const;
    // The frame at `ms` (at most the length); the length itself gives the very
    // end, so that a play "to the length" loses no fraction of a millisecond.
    std::size_t frameAt(std::uint32_t ms) const;
    std::size_t frames() const { return sound->frames(); }

    // Adds the next frames of the current play to `out` (saturating), at most
    // `count` and never beyond `end`, and moves the position on. Returns how many.
    std::size_t mixInto(std::int16_t* out, std::size_t count);

    const MCIDEVICEID id;
    const std::shared_ptr<const DecodedSound> sound; // never null
    std::size_t position = 0; // next frame to hand to the output
    std::size_t end = 0; // the current play stops before this frame
    std::uint32_t mode = MCI_MODE_STOP;
    // The notification owed to the latest command with MCI_NOTIFY that has not completed.
    bool notifyPending = false;
    HWND notifyCallback = 0;
    std::uint64_t playSerial = 0; // counts plays, so that a waiting Play knows its own
    PlayEnding ending = PlayEnding::None;
    bool firstSampleDue = false; // the current play has not handed out a sample yet
};

} // namespace mci
