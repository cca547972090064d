#include "tests/support/ordinary_user.h"

#include <sys/types.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;
}

OrdinaryUser::OrdinaryUser()
{
    if (geteuid() != 0)
        return;
    m_switched = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
    m_failed = !m_switched;
}

OrdinaryUser::~OrdinaryUser()
{
    if (m_switched) {
        [[maybe_unused]] const int user = seteuid(0);
        [[maybe_unused]] const int group = setegid(0);
    }
}
