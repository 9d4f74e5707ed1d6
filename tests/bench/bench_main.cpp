// Benchmark entry: models log to the per-user directory, so every run gets a scratch one; and the
// heap counters behind bench_memory.h.
#include "bench_memory.h"
#include "scratch_dirs.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <string>
#include <sys/stat.h>

namespace {
std::atomic<std::size_t> inUse{0}, peak{0};

void* counted(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const std::size_t now = inUse += malloc_usable_size(p);
    std::size_t old = peak.load();
    while (now > old && !peak.compare_exchange_weak(old, now)) {
    }
    return p;
}
void uncounted(void* p) {
    if (!p) return;
    inUse -= malloc_usable_size(p);
    std::free(p);
}
} // namespace

void* operator new(std::size_t n) {
    return counted(n);
}
void* operator new[](std::size_t n) {
    return counted(n);
}
void operator delete(void* p) noexcept {
    uncounted(p);
}
void operator delete[](void* p) noexcept {
    uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    uncounted(p);
}

std::size_t heapInUse() {
    return inUse.load();
}
void heapPeakReset() {
    peak = inUse.load();
}
std::size_t heapPeak() {
    return peak.load();
}

int main(int argc, char** argv) {
    const std::string dir = fwtest::makeTempDir("fwbench");
    if (!dir.empty()) {
        setenv("APPDATA", dir.c_str(), 1);
        mkdir((dir + "/Facetwright").c_str(), 0755);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
