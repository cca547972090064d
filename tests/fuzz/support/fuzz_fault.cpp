#include "tests/fuzz/support/fuzz_fault.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

void fuzzFault(const char* what)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
    std::abort();
}
