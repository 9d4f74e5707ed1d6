// Heap use seen by the benchmarks: every operator new and delete of fw_bench is counted.
#pragma once

#include <cstddef>

// Bytes allocated and not yet freed.
std::size_t heapInUse();
// Starts a new peak from the present use; heapPeak() is the highest use since.
void heapPeakReset();
std::size_t heapPeak();
