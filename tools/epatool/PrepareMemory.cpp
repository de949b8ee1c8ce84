#include "tools/epatool/PrepareMemory.h"

#include <cstdlib> // says whether this is glibc
#if defined(__GLIBC__)
#include <cstdint>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

void PrepareMemory() {
#if defined(__GLIBC__)
    constexpr int Step = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, Step); // the most it takes
    mallopt(M_TRIM_THRESHOLD, 4 * Step);
    mallopt(M_TOP_PAD, Step);
    // The heap grown once by a block larger than its free top, which then stays.
    auto* const before = static_cast<char*>(sbrk(0));
    void* volatile block = malloc(Step / 2); // volatile: kept, not seen through
    free(block);
    auto* const after = static_cast<char*>(sbrk(0));
    constexpr std::uintptr_t Large = 2 << 20;
    const std::uintptr_t first = (std::uintptr_t(before) + Large - 1) & ~(Large - 1);
    if (std::uintptr_t(after) <= first)
        return;
    madvise(reinterpret_cast<void*>(first), std::uintptr_t(after) - first, MADV_HUGEPAGE);
    // The heap below its first large page is given out once, to a block that is kept and never
    // touched: the pictures made next then lie on large pages from their first byte, instead of
    // touching small pages one by one up to that boundary.
    constexpr std::uintptr_t Slack = 4096; // the block's own bookkeeping, and a page to spare
    if (const std::uintptr_t below = first - std::uintptr_t(before); below > Slack) {
        void* volatile kept = malloc(below - Slack);
        static_cast<void>(kept);
    }
#endif
}
