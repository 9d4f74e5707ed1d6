// Large fresh arrays zeroed a slice at a time: the first touch of new memory costs a page fault
// per page, so zeroing megabytes at once stalls whatever frame does it.
#pragma once

#include "base/huge_pages.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// Grows v towards n value-initialised elements by at most about `bytes`, all of n reserved at
// the start, on huge pages when large (fewer faults), so nothing is copied. True once v holds n
// elements.
template <class T> bool fillInSlices(std::vector<T>& v, std::size_t n, std::size_t bytes) {
    if (v.size() >= n) return true;
    if (v.capacity() < n) reserveOnHugePages(v, n);
    const std::size_t step = std::max<std::size_t>(1, bytes / sizeof(T));
    v.resize(v.size() + std::min(step, n - v.size()));
    return v.size() >= n;
}
