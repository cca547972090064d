// What tests and benchmarks may change in the media layer behind
// mciSendCommand: the sound output it plays into (a FakeAudioOutput, whose clock
// the test advances), and an observer of the moment a Play's first sample is
// handed to the output. The program itself uses none of this.
#pragma once

#include "platform/mci/audio_output.h"
#include "platform/mci/mci.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace mci {

// Makes mciSendCommand play into `output`; nullptr goes back to the machine's
// sound output. Every open device is closed first (a pending notification is
// posted as aborted), since sounds are decoded for one output's format, and the
// "no sound output" line may be written again. `output` must outlive its use.
void setAudioOutputForTesting(AudioOutput* output);

// Installs an output for the life of the guard, then goes back to the machine's.
class ScopedAudioOutputForTesting {
public:
    explicit ScopedAudioOutputForTesting(AudioOutput& output) { setAudioOutputForTesting(&output); }
    ~ScopedAudioOutputForTesting() { setAudioOutputForTesting(nullptr); }
    ScopedAudioOutputForTesting(const ScopedAudioOutputForTesting&) = delete;
    ScopedAudioOutputForTesting& operator=(const ScopedAudioOutputForTesting&) = delete;
};

// Called on the output's thread, under the layer's mutex, when a Play (or Resume)
// hands its first sample to the output; it must not call mciSendCommand.
// An empty function removes the observer.
using FirstSampleObserver = std::function<void(MCIDEVICEID device, std::chrono::steady_clock::time_point when)>;
void setFirstSampleObserver(FirstSampleObserver observer);

// How many devices are open, to check that a failed open leaves nothing behind.
std::size_t openDeviceCount();

// Since the process started: the commands that reached the layer, and the sound
// files it read to decode (decoded or refused); what a key press costs, counted
// rather than timed.
std::uint64_t commandsReceived();
std::uint64_t soundFilesDecoded();

} // namespace mci
