// The sound output of the machine, through SDL's audio subsystem (no video).
// It asks for a small buffer so that a sound starts soon after it is played, and
// once open it stays open and keeps pulling (silence when nothing plays) for the
// life of the process. It notices a lost device only when polled. After a failed
// open SDL's audio is started afresh at the next try, so that a sound server
// that appeared meanwhile is found; the sound libraries' own messages about a
// missing output are kept quiet.
#pragma once

#include "platform/mci/audio_output.h"

#include <atomic>
#include <cstdint>

namespace mci {

class SdlAudioOutput final : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    AudioFormat format() const override;
    bool open(AudioSource& source, std::string& reason) override;
    void poll() override;

private:
    static void callback(void* self, std::uint8_t* stream, int length);
    bool openDevice(AudioSource& source, std::string& reason);
    void closeDevice();

    bool m_subsystemStarted = false;
    std::uint32_t m_device = 0; // SDL's device identifier; 0 = none
    AudioSource* m_source = nullptr;
    bool m_failureReported = false;

    // Monotonic time of the last callback, in nanoseconds, to notice a stalled device.
    std::atomic<std::int64_t> m_lastCallback{0};
};

} // namespace mci
