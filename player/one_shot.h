// The player's four use-once settings (Wait, Notify, From, To) and the two rules
// that turn them into the flags word of one command. Setting a value arms it,
// even when it is unchanged; the rule that reads it disarms it, so a value
// shapes exactly one command. The value itself stays stored after disarming.
// Pure logic: which command applies which rule is the player's business.
#pragma once

#include <cstdint>

class OneShotSettings {
public:
    bool Wait() const { return m_wait; }
    bool Notify() const { return m_notify; }
    std::uint32_t From() const { return m_from; }
    std::uint32_t To() const { return m_to; }
    void setWait(bool value);
    void setNotify(bool value);
    void setFrom(std::uint32_t value);
    void setTo(std::uint32_t value);

    bool WaitArmed() const { return m_waitArmed; }
    bool NotifyArmed() const { return m_notifyArmed; }
    bool FromArmed() const { return m_fromArmed; }
    bool ToArmed() const { return m_toArmed; }

    // Synchronous unless told otherwise: MCI_WAIT, plus MCI_NOTIFY only when asked.
    std::uint32_t ruleW();
    // Asynchronous with notification unless told otherwise, with the armed
    // start and end positions written to `from` and `to`.
    std::uint32_t ruleN(std::uint32_t& from, std::uint32_t& to);
    // The flags of a resume: they read Wait and Notify without disarming them,
    // since only a resume that succeeds uses them up (disarmWaitAndNotify).
    std::uint32_t resumeFlags() const;
    void disarmWaitAndNotify();

private:
    bool m_wait = false;
    bool m_notify = false;
    std::uint32_t m_from = 0;
    std::uint32_t m_to = 0;
    bool m_waitArmed = false;
    bool m_notifyArmed = false;
    bool m_fromArmed = false;
    bool m_toArmed = false;
};
