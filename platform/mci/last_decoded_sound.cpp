#include "platform/mci/last_decoded_sound.h"

#include <utility>

namespace mci {

namespace {

// File times advance in steps: a clock tick on most file systems, two seconds
// on FAT (a memory stick). A file modified less than one step before it was
// read may be written again with the same times, so it must be this old.
constexpr std::int64_t kSettledNs = 2'000'000'000;

} // namespace

std::shared_ptr<const DecodedSound> LastDecodedSound::reuse(const Origin& origin)
{
    std::shared_ptr<const DecodedSound> released;
    std::lock_guard lock(m_mutex);
    if (m_origin == origin)
        return m_sound;
    m_origin.reset();
    released = std::move(m_sound); // freed after the lock, when no device plays it any more
    return nullptr;
}

void LastDecodedSound::keep(Origin origin, std::shared_ptr<const DecodedSound> sound, std::int64_t openedAtNs)
{
    std::shared_ptr<const DecodedSound> released;
    std::lock_guard lock(m_mutex);
    released = std::move(m_sound);
    m_origin.reset();
    if (openedAtNs - origin.stamp.modifiedNs < kSettledNs)
        return;
    m_origin = std::move(origin);
    m_sound = std::move(sound);
}

void LastDecodedSound::forget()
{
    std::shared_ptr<const DecodedSound> released;
    std::lock_guard lock(m_mutex);
    released = std::move(m_sound);
    m_origin.reset();
}

} // namespace mci
