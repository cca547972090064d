#include "platform/mci/fake_audio_output.h"

namespace mci {

FakeAudioOutput::FakeAudioOutput(AudioFormat format) : m_format(format) {}

AudioFormat FakeAudioOutput::format() const { return m_format; }

bool FakeAudioOutput::open(AudioSource& source, std::string& reason)
{
    std::lock_guard lock(m_mutex);
    if (!m_openFailure.empty()) {
        reason = m_openFailure;
        m_open = false;
        return false;
    }
    m_source = &source;
    m_open = true;
    ++m_openCount;
    return true;
}

void FakeAudioOutput::setOpenFailure(std::string reason)
{
    std::lock_guard lock(m_mutex);
    m_openFailure = std::move(reason);
}

bool FakeAudioOutput::advance(std::size_t frames)
{
    AudioSource* source = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (!m_open)
            return false;
        source = m_source;
    }
    std::vector<std::int16_t> buffer(frames * static_cast<std::size_t>(m_format.channels));
    // Pulled outside our lock: the source takes its own, as it would on a real audio thread.
    source->pull(*this, buffer.data(), frames);
    std::lock_guard lock(m_mutex);
    m_played.insert(m_played.end(), buffer.begin(), buffer.end());
    return true;
}

void FakeAudioOutput::breakDown(const std::string& reason)
{
    AudioSource* source = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (!m_open)
            return;
        m_open = false;
        source = m_source;
    }
    source->outputFailed(*this, reason);
}

bool FakeAudioOutput::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

int FakeAudioOutput::openCount() const
{
    std::lock_guard lock(m_mutex);
    return m_openCount;
}

std::vector<std::int16_t> FakeAudioOutput::played() const
{
    std::lock_guard lock(m_mutex);
    return m_played;
}

void FakeAudioOutput::clearPlayed()
{
    std::lock_guard lock(m_mutex);
    m_played.clear();
}

} // namespace mci
