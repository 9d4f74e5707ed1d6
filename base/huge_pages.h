// Large fresh arrays on huge pages: touching tens of megabytes of new memory page by page costs
// more than the work that fills it.
#pragma once

#include <cstddef>
#include <vector>

// Asks the kernel for huge pages under the whole pages of [data, data + bytes).
void adviseHugePages(const void* data, std::size_t bytes);

// Reserves room for n elements (std::bad_alloc as reserve) and advises huge pages under the part
// not yet used, before anything touches it.
template <class T> void reserveOnHugePages(std::vector<T>& v, std::size_t n) {
    v.reserve(n);
    adviseHugePages(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T));
}
