// Huge-page advice and a page-backing worker for large fresh arrays.
#include "base/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>
#include <system_error>

namespace {
constexpr std::uintptr_t kPage = 4096;

// The whole pages of [data, data + bytes).
struct PageRange {
    std::uintptr_t start, end;
};
PageRange wholePages(const void* data, std::size_t bytes) {
    const std::uintptr_t start =
        (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    return {start, end > start ? end : start};
}
} // namespace

void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::size_t kWorthIt = 4u << 20; // below a few huge pages it cannot pay off
    if (bytes < kWorthIt) return;
    const PageRange r = wholePages(data, bytes);
    if (r.end > r.start)
        ::madvise(reinterpret_cast<void*>(r.start), r.end - r.start, MADV_HUGEPAGE);
}

void startPageBacking(PageBacking& b, void* data, std::size_t bytes) {
    constexpr std::size_t kWorthIt = 16u << 20; // a thread costs more than backing less
    if (bytes < kWorthIt || b.worker.joinable()) return;
    const PageRange r = wholePages(data, bytes);
    b.stop = false;
    try {
        b.worker = std::thread([&b, r] {
            // Huge-page steps from the end: the filler meets the worker about half-way.
            constexpr std::uintptr_t kStep = 2u << 20;
            for (std::uintptr_t end = r.end; end > r.start && !b.stop;) {
                const std::uintptr_t begin = end - r.start > kStep ? end - kStep : r.start;
                if (::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE) !=
                    0)
                    return; // a kernel without it: the filler backs the pages as before
                end = begin;
            }
        });
    } catch (const std::system_error&) {
        // No thread: the filler backs every page itself.
    }
}

void stopPageBacking(PageBacking& b) {
    b.stop = true;
    if (b.worker.joinable()) b.worker.join();
}

PageBacking::~PageBacking() {
    stopPageBacking(*this);
}

void releasePages(void* data, std::size_t bytes) {
    const PageRange r = wholePages(data, bytes);
    if (r.end > r.start)
        ::madvise(reinterpret_cast<void*>(r.start), r.end - r.start, MADV_DONTNEED);
}
