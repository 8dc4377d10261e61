#include "core/MemoryPolicy.h"

#include <cstdlib> // defines __GLIBC__ where it is glibc

#if defined(__GLIBC__)
#include <malloc.h>
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

} // namespace MemoryPolicy
