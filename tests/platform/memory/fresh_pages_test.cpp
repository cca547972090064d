#include "platform/memory/fresh_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
constexpr std::size_t kPages = 64;

long minorFaultsSoFar()
{
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Fresh anonymous pages, none of them touched yet.
struct FreshArea {
    FreshArea() : data(::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {}
    ~FreshArea() { ::munmap(data, bytes); }
    FreshArea(const FreshArea&) = delete;
    FreshArea& operator=(const FreshArea&) = delete;
    std::size_t bytes = kPages * kPage;
    void* data;
};

} // namespace

TEST(FreshPages, LeaveTheFirstTouchOfABufferNothingToMap)
{
    FreshArea area;
    ASSERT_NE(area.data, MAP_FAILED);
    if (!memory::mapForWriting(area.data, area.bytes))
        GTEST_SKIP() << "this kernel cannot map pages ahead";
    auto* bytes = static_cast<volatile std::uint8_t*>(area.data);
    const long before = minorFaultsSoFar();
    for (std::size_t at = 0; at < area.bytes; at += kPage)
        bytes[at] = 1;
    // Unmapped, every page would fault once; a sanitizer's shadow may still fault a few times.
    EXPECT_LT(minorFaultsSoFar() - before, static_cast<long>(kPages / 4));
}

TEST(FreshPages, KeepWhatABufferHoldsAndTolerateAnyRange)
{
    std::vector<std::uint8_t> buffer(16 * kPage + 3);
    std::iota(buffer.begin(), buffer.end(), std::uint8_t{7});
    const std::vector<std::uint8_t> held = buffer;
    memory::mapForWriting(buffer.data() + 1, buffer.size() - 2); // edges not on page boundaries
    memory::mapForWriting(buffer.data(), 1); // less than a page: nothing to map
    EXPECT_FALSE(memory::mapForWriting(nullptr, 0));
    EXPECT_EQ(buffer, held);
}
