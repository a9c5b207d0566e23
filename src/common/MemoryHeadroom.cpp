#include "common/MemoryHeadroom.h"

#include <sys/mman.h>

#include "common/Failure.h"

namespace tabulizer {

// A mapping that is made and given back at once: it counts against the limits on
// address space and data size as the library's allocations would, and touches no
// page, so it costs two system calls whatever its size.
bool MemoryLeft(std::size_t bytes) noexcept {
    void* probe = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (probe == MAP_FAILED) return false;
    munmap(probe, bytes);
    return true;
}

void RequireMemory(std::size_t bytes) {
    if (!MemoryLeft(bytes))
        throw Failure(kOutOfMemory, "less than " + std::to_string(bytes >> 20) + " MB of memory left",
                      "Недостаточно памяти");
}

}  // namespace tabulizer
