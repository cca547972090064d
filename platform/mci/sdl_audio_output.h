// The sound output of the machine, through SDL's audio subsystem (no video).
// It asks for a small buffer so that a sound starts soon after it is played, and
// once open it stays open and keeps pulling (silence when nothing plays) for the
// life of the process. It notices a lost device only when polled. After a failed
// open SDL's audio is started afresh at the next try, so that a sound server
// that appeared meanwhile is found; the sound libraries' own messages about a
// missing output are kept quiet. The program can have the device opened ahead
// of the first sound, paused, so that the sound server's answer overlaps the
// building of the windows; the first open() then only starts it pulling.
#pragma once

#include "platform/mci/audio_output.h"

#include <atomic>
#include <cstdint>
#include <future>
#include <string>

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

    // Starts SDL's audio and opens the device, paused, on a thread of its own;
    // nothing is heard and nothing is reported. The next open() waits for it
    // and takes the device; a start that failed is made again there, so that
    // what open() reports is what holds at that moment.
    void prepare();

private:
    // What a start gave: SDL's audio started or not, and the device (paused) or 0 with the reason.
    struct Start {
        bool subsystemStarted = false;
        std::uint32_t device = 0;
        std::string reason;
    };

    static void callback(void* self, std::uint8_t* stream, int length);
    // Touches no member, so that it can run on the preparing thread.
    Start startPaused(bool subsystemStarted);
    // The prepared start once it is done, or a start made now.
    Start takeStart();
    void closeDevice();

    bool m_subsystemStarted = false;
    std::uint32_t m_device = 0; // SDL's device identifier; 0 = none
    AudioSource* m_source = nullptr;
    bool m_failureReported = false;
    std::future<Start> m_prepared; // valid while a prepared start has not been taken

    // Monotonic time of the last callback, in nanoseconds, to notice a stalled device.
    std::atomic<std::int64_t> m_lastCallback{0};
};

} // namespace mci
