// Large fresh arrays on huge pages: touching tens of megabytes of new memory page by page costs
// more than the work that fills it.
#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

// Asks the kernel for huge pages under the whole pages of [data, data + bytes).
void adviseHugePages(const void* data, std::size_t bytes);

// Reserves room for n elements (std::bad_alloc as reserve) and advises huge pages under the part
// not yet used, before anything touches it.
template <class T> void reserveOnHugePages(std::vector<T>& v, std::size_t n) {
    v.reserve(n);
    adviseHugePages(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T));
}

// A second thread that backs the pages of a fresh array, from its end towards its start, while
// the caller fills it from the start: the kernel's zeroing and mapping of new pages, which bounds
// filling a large array on one core, then runs on two. It writes no byte (the kernel populates
// the pages as a write would), so the filling needs no coordination with it.
struct PageBacking {
    std::thread worker;
    std::atomic<bool> stop{false};
    ~PageBacking();
};
// Starts the worker for [data, data + bytes); does nothing for a small range or when no thread
// can be made.
void startPageBacking(PageBacking& b, void* data, std::size_t bytes);
// Stops the worker where it is and waits for it.
void stopPageBacking(PageBacking& b);

// Gives back the whole pages of [data, data + bytes), which hold nothing the caller needs: room
// reserved and backed for more than was filled.
void releasePages(void* data, std::size_t bytes);
