// Huge-page advice for large fresh arrays.
#include "base/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>

void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::size_t kWorthIt = 4u << 20; // below a few huge pages it cannot pay off
    constexpr std::uintptr_t kPage = 4096;
    if (bytes < kWorthIt) return;
    const std::uintptr_t start =
        (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
