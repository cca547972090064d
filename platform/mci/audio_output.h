// The seam between the media layer and a sound output. An output pulls
// interleaved signed 16-bit frames from its source on a thread of its own, at a
// fixed rate and channel count that it announces before it is opened, and tells
// the source when it breaks down. It knows nothing of devices, positions or
// notifications; the media layer owns all of that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace mci {

class AudioOutput;

// What an output plays: signed 16-bit samples, interleaved, native byte order.
struct AudioFormat {
    int rate = 0; // frames per second
    int channels = 0; // 1 or 2
    friend bool operator==(const AudioFormat&, const AudioFormat&) = default;
};

// The side that provides samples; the media layer.
class AudioSource {
public:
    // Fills `frames` frames (frames × channels samples) for `output`; called on
    // the output's thread, must return quickly and never block for long.
    virtual void pull(const AudioOutput& output, std::int16_t* samples, std::size_t frames) = 0;
    // The output stopped playing for `reason` and pulls no more until opened again.
    virtual void outputFailed(const AudioOutput& output, const std::string& reason) = 0;

protected:
    ~AudioSource() = default;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // The format the output will pull in, known before it is opened.
    virtual AudioFormat format() const = 0;
    // Opens the output and starts pulling from `source`. On failure returns false
    // and says why in `reason`; it may be tried again later. Opening an output that
    // is already open reopens it.
    virtual bool open(AudioSource& source, std::string& reason) = 0;
    // Gives an output that cannot report a breakdown by itself the chance to find
    // out and call AudioSource::outputFailed. Called often, on the caller's thread.
    virtual void poll() = 0;
};

} // namespace mci
