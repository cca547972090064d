// The media layer behind mciSendCommand: the open wave audio devices, the
// commands on them, their notifications, and the mixing of every playing device
// into one sound output. The output's thread touches only the playback state,
// under the one mutex, and calls nothing of Qt but windowhandle::postMessage.
// Decoding is the WAV decoder's; the last decoded sound is kept for an open of
// the same unchanged file. The output is whatever AudioOutput is installed.
#pragma once

#include "platform/mci/audio_output.h"
#include "platform/mci/last_decoded_sound.h"
#include "platform/mci/mci.h"
#include "platform/mci/mci_testing.h"
#include "platform/mci/wave_device.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace mci {

class SdlAudioOutput;

class MediaLayer final : private AudioSource {
public:
    // The one layer of the process; it plays into the machine's sound output.
    static MediaLayer& instance();

    MediaLayer();
    ~MediaLayer();
    MediaLayer(const MediaLayer&) = delete;
    MediaLayer& operator=(const MediaLayer&) = delete;

    MCIERROR sendCommand(MCIDEVICEID device, unsigned command, std::uint32_t flags, void* params);

    // Closes every device (pending notifications are posted as aborted) and plays
    // into `output` from now on; nullptr goes back to the machine's output.
    void installOutput(AudioOutput* output);
    void setFirstSampleObserver(FirstSampleObserver observer);
    // Has the machine's output opened ahead of the first sound, while the
    // program builds its windows (SdlAudioOutput::prepare); nothing else changes.
    void prepareMachineOutput();
    std::size_t openDeviceCount() const;
    std::uint64_t commandsReceived() const { return m_commandsReceived.load(); }
    std::uint64_t soundFilesDecoded() const { return m_soundFilesDecoded.load(); }

private:
    using Lock = std::unique_lock<std::mutex>;
    struct PlayRange {
        std::size_t from = 0;
        std::size_t to = 0;
    };

    void pull(const AudioOutput& output, std::int16_t* samples, std::size_t frames) override;
    void outputFailed(const AudioOutput& output, const std::string& reason) override;

    MCIERROR open(std::uint32_t flags, void* params);
    MCIERROR play(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params);
    MCIERROR checkPlay(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params, PlayRange& range);
    MCIERROR waitForPlay(Lock& lock, MCIDEVICEID id, std::uint64_t serial);
    MCIERROR deviceCommand(MCIDEVICEID id, unsigned command, std::uint32_t flags, void* params);
    MCIERROR status(WaveDevice& device, std::uint32_t flags, void* params);
    MCIERROR capability(std::uint32_t flags, void* params);
    MCIERROR seek(WaveDevice& device, std::uint32_t flags, void* params);
    MCIERROR set(std::uint32_t flags, void* params);

    bool ensureOutput();
    void pollOutput();
    WaveDevice* find(MCIDEVICEID device);
    void closeDevice(MCIDEVICEID device);
    // Ends the device's current play; a pending notification is posted for `ending`.
    void endPlay(WaveDevice& device, PlayEnding ending);
    void settlePending(WaveDevice& device, std::uint32_t code);
    // A command with MCI_NOTIFY arrived while one is pending: the older one is superseded.
    void supersedePending(WaveDevice& device, std::uint32_t flags);
    void post(HWND callback, std::uint32_t code, MCIDEVICEID device);
    // Completes a command: its notification, if one was asked for, carries `error`.
    MCIERROR finish(std::uint32_t flags, void* params, MCIDEVICEID device, MCIERROR error);

    mutable std::mutex m_mutex; // the playback state below; the audio thread takes it
    std::condition_variable m_playEnded;
    std::map<MCIDEVICEID, std::unique_ptr<WaveDevice>> m_devices;
    std::vector<std::unique_ptr<WaveDevice>> m_closed; // freed after the mutex is released
    MCIDEVICEID m_lastId = 0;
    AudioOutput* m_output = nullptr; // the output sounds are decoded for and played into
    const AudioOutput* m_openOutput = nullptr; // m_output once it is open and has not failed
    FirstSampleObserver m_firstSampleObserver;

    LastDecodedSound m_lastSound; // locks itself, never while the layer's mutexes are held
    std::atomic<std::uint64_t> m_commandsReceived{0};
    std::atomic<std::uint64_t> m_soundFilesDecoded{0};

    std::mutex m_outputMutex; // serialises opening, polling and replacing the output; never the audio thread's
    bool m_noOutputReported = false;

    // Last, so that it is closed (and its thread ended) before the state above goes.
    std::unique_ptr<SdlAudioOutput> m_machineOutput;
};

} // namespace mci
