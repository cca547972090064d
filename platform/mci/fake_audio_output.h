// A sound output for tests, with a clock that the test advances: nothing is
// pulled until the test says how many frames, and the pull runs on the test's
// own thread (or any helper thread), as the audio thread would. It keeps every
// frame it pulled, can be told to refuse opening, and can break down mid-way.
// It does not pace itself; real time plays no part in it.
#pragma once

#include "platform/mci/audio_output.h"

#include <mutex>
#include <vector>

namespace mci {

class FakeAudioOutput final : public AudioOutput {
public:
    // One frame a millisecond, mono: positions in milliseconds equal frame counts.
    static constexpr AudioFormat kDefaultFormat{1000, 1};

    explicit FakeAudioOutput(AudioFormat format = kDefaultFormat);

    AudioFormat format() const override;
    bool open(AudioSource& source, std::string& reason) override;
    void poll() override {}

    // Openings fail with `reason` from now on; an empty reason lets them succeed.
    void setOpenFailure(std::string reason);
    // Pulls `frames` frames from the source, as the output's thread would, and
    // keeps them. False (and nothing pulled) while the output is not open.
    bool advance(std::size_t frames);
    // The output breaks down: it reports `reason` to its source and pulls
    // nothing more until it is opened again.
    void breakDown(const std::string& reason);

    bool isOpen() const;
    int openCount() const;
    // Every sample pulled so far, interleaved.
    std::vector<std::int16_t> played() const;
    void clearPlayed();

private:
    const AudioFormat m_format;
    mutable std::mutex m_mutex; // the test and its helper threads share the fake
    AudioSource* m_source = nullptr;
    bool m_open = false;
    int m_openCount = 0;
    std::string m_openFailure;
    std::vector<std::int16_t> m_played;
};

} // namespace mci
