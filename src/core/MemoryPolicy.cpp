#include "core/MemoryPolicy.h"

#include <algorithm>

#include <cstdlib> // defines __GLIBC__ where it is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace MemoryPolicy {

void keepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MiB (the most glibc takes) come from the heap rather than their
    // own mapping, and up to 64 MiB of free heap stays with the process. The data file
    // is at most 64 MiB, so this bounds what is kept to about one file's worth.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

void prepareHeap(std::size_t bytes)
{
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
    // Below the mapping threshold the block comes from the heap's top, and freed it goes
    // back there, its pages mapped, for the allocations that follow.
    bytes = std::min(bytes, MaxPreparedHeap);
    char* block = static_cast<char*>(std::malloc(bytes));
    if (!block)
        return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(page - 1);
    if (end > begin) // older kernels refuse the advice, and then pages come as they are touched
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    std::free(block);
#else
    (void)bytes;
#endif
}

} // namespace MemoryPolicy
