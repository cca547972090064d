// Holds an ordinary user's identity while it lives, when the tests run as
// root, for whom no file is unreadable. Under another user it does nothing.
#pragma once

class OrdinaryUser {
public:
    OrdinaryUser();
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
    // Running as root, and the identity could not be taken.
    bool failed() const { return m_failed; }

private:
    bool m_switched = false;
    bool m_failed = false;
};
