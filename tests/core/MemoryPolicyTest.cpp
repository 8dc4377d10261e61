#include "core/MemoryPolicy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/resource.h>

#if defined(__GLIBC__)

namespace {

long minorFaults()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

} // namespace

// 4 MiB are 1,024 pages: written page by page they would fault 1,024 times.
TEST(MemoryPolicy, APreparedHeapIsWrittenWithoutAFaultAPageAndKeptWhenFreed)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer brings an allocator of its own";
#endif
    MemoryPolicy::keepFreedMemoryForReuse();
    MemoryPolicy::prepareHeap(8u << 20);
    for (int round = 0; round < 2; ++round) {
        const long before = minorFaults();
        std::vector<void*> blocks;
        for (int i = 0; i < 64; ++i)
            blocks.push_back(std::memset(std::malloc(64 << 10), 1, 64 << 10));
        const long faults = minorFaults() - before;
        for (void* block : blocks)
            std::free(block);
        EXPECT_LT(faults, 64) << "round " << round;
    }
}

#endif
