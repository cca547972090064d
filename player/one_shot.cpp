#include "player/one_shot.h"

#include "platform/mci/mci.h"

void OneShotSettings::setWait(bool value)
{
    m_wait = value;
    m_waitArmed = true;
}

void OneShotSettings::setNotify(bool value)
{
    m_notify = value;
    m_notifyArmed = true;
}

void OneShotSettings::setFrom(std::uint32_t value)
{
    m_from = value;
    m_fromArmed = true;
}

void OneShotSettings::setTo(std::uint32_t value)
{
    m_to = value;
    m_toArmed = true;
}

std::uint32_t OneShotSettings::ruleW()
{
    std::uint32_t flags = MCI_WAIT;
    if (m_waitArmed) {
        flags = m_wait ? MCI_WAIT : 0;
        m_waitArmed = false;
    }
    if (m_notifyArmed) {
        if (m_notify)
            flags |= MCI_NOTIFY;
        m_notifyArmed = false;
    }
    return flags;
}

std::uint32_t OneShotSettings::ruleN(std::uint32_t& from, std::uint32_t& to)
{
    std::uint32_t flags = MCI_NOTIFY;
    if (m_notifyArmed) {
        flags = m_notify ? MCI_NOTIFY : 0;
        m_notifyArmed = false;
    }
    if (m_waitArmed) {
        if (m_wait)
            flags |= MCI_WAIT;
        m_waitArmed = false;
    }
    if (m_fromArmed) {
        flags |= MCI_FROM;
        from = m_from;
        m_fromArmed = false;
    }
    if (m_toArmed) {
        flags |= MCI_TO;
        to = m_to;
        m_toArmed = false;
    }
    return flags;
}

std::uint32_t OneShotSettings::resumeFlags() const
{
    std::uint32_t flags = (m_notifyArmed && !m_notify) ? 0 : MCI_NOTIFY;
    if (m_waitArmed && m_wait)
        flags |= MCI_WAIT;
    return flags;
}

void OneShotSettings::disarmWaitAndNotify()
{
    m_waitArmed = false;
    m_notifyArmed = false;
}
