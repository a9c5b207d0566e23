#pragma once
// Whether memory is left for work that cannot survive running out of it: the
// workbook writer library crashes on some of its failed allocations (it writes
// through a null pointer), so the save makes sure beforehand that the process can
// still map `bytes` more, and ends with the out-of-memory failure when it cannot.
#include <cstddef>

namespace tabulizer {

bool MemoryLeft(std::size_t bytes) noexcept;

// Throws Failure(kOutOfMemory) when `bytes` more could not be had now.
void RequireMemory(std::size_t bytes);

}  // namespace tabulizer
