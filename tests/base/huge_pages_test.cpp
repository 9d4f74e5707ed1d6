// The page-backing worker: it backs a fresh array's pages without the caller touching them, and
// never changes what the caller writes meanwhile.
#include "base/huge_pages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

namespace {

std::size_t residentPages(void* data, std::size_t bytes) {
    std::vector<unsigned char> in((bytes + 4095) / 4096);
    if (mincore(data, bytes, in.data()) != 0) return 0;
    std::size_t n = 0;
    for (unsigned char c : in) n += c & 1;
    return n;
}

TEST(PageBacking, BacksFreshPagesAndLeavesTheFillersBytesAlone) {
    constexpr std::size_t kBytes = 64u << 20;
    void* mem = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mem, MAP_FAILED);
    auto* words = static_cast<uint32_t*>(mem);
    ASSERT_EQ(residentPages(mem, kBytes), 0u);
    PageBacking b;
    startPageBacking(b, mem, kBytes);
    // The caller fills from the start while the worker backs pages from the end.
    const std::size_t count = kBytes / sizeof(uint32_t);
    for (std::size_t i = 0; i < count; ++i) words[i] = static_cast<uint32_t>(i * 2654435761u);
    stopPageBacking(b);
    for (std::size_t i = 0; i < count; ++i)
        if (words[i] != static_cast<uint32_t>(i * 2654435761u))
            FAIL() << "word " << i << " changed";
    munmap(mem, kBytes);

    // Alone, the worker backs every page of the range without a byte written.
    mem = mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mem, MAP_FAILED);
    PageBacking alone;
    startPageBacking(alone, mem, kBytes);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (residentPages(mem, kBytes) < kBytes / 4096 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    stopPageBacking(alone);
    EXPECT_EQ(residentPages(mem, kBytes), kBytes / 4096);
    EXPECT_EQ(static_cast<unsigned char*>(mem)[kBytes / 2], 0);
    munmap(mem, kBytes);
    // A small range gets no thread.
    std::vector<char> small(4096);
    PageBacking none;
    startPageBacking(none, small.data(), small.size());
    EXPECT_FALSE(none.worker.joinable());
}

} // namespace
