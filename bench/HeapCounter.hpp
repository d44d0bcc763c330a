#pragma once
// Counts the heap that operator new hands out, by the allocator's usable size
// of each block, so a benchmark can report its peak. Linking HeapCounter.cpp
// replaces the global operator new and delete of the whole program.
//
// Counting is off until started, so timings elsewhere pay almost nothing.
// While on, it follows the net change since the start: blocks freed then
// count down even when they were made before, as the heap really shrinks.

#include <cstdint>

namespace quoddle::bench::heap {

void StartCounting();
void StopCounting();
// Bytes held now more than at the start, and the most since the start (or
// since ResetPeak).
std::int64_t NetBytes();
std::int64_t PeakNetBytes();
void ResetPeak();

} // namespace quoddle::bench::heap
