#pragma once

// How the program's heap treats freed memory.
//
// Every action reads the data file, builds its line table and fills lists of rows; with a
// large file each of those is a block of hundreds of kilobytes. The C library's default
// hands such blocks back to the system when they are freed, so the next action faults
// every page in again, which on some virtual machines costs more than the action's own
// work. Keeping freed memory in the process for reuse makes a repeated action touch
// pages it already has. Called once, first thing in the program (and in the benchmarks,
// which time the program's code as it runs there).
#include <cstddef>

namespace MemoryPolicy {

void keepFreedMemoryForReuse();

// Maps the next `bytes` of heap (at most MaxPreparedHeap) in one call, for what the
// program is about to allocate. Page by page, each first touch of a new page is a fault
// of its own; a virtual machine makes each of them costly, and the start of a large data
// file would take thousands. Call it after keepFreedMemoryForReuse.
constexpr std::size_t MaxPreparedHeap = 24u << 20;
void prepareHeap(std::size_t bytes);

} // namespace MemoryPolicy
