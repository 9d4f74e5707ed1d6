// Subdivision timings on a 100,000-triangle model: every mesh, and selected triangles in one pass
// against splitting them one at a time as a walk would (the baseline, run with few triangles since
// each split moves the whole tail).
#include "edit/subdivide.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int kTriangles = 100000;
constexpr int kMeshes = 100;

// kMeshes meshes of equal size over kTriangles triangles; every (kTriangles / selected)-th
// triangle selected.
void buildModel(Model& m, int selected) {
    m.vertices.assign(3 * static_cast<std::size_t>(kTriangles), Vertex{});
    for (int i = 0; i < 3 * kTriangles; ++i) {
        Vertex& v = m.vertices[i];
        v.x = static_cast<float>(i / 3 % 300);
        v.y = static_cast<float>(i / 900) + (i % 3 == 2 ? 1.0f : 0.0f);
        v.z = i % 3 == 1 ? 1.0f : 0.0f;
    }
    const int step = selected > 0 ? kTriangles / selected : kTriangles + 1;
    for (int t = 0; t < kTriangles; t += step)
        for (int i = 3 * t; i < 3 * t + 3; ++i) m.vertices[i].selected = true;
    m.meshes.assign(kMeshes, Mesh{});
    for (int k = 0; k < kMeshes; ++k) {
        m.meshes[k].firstVertex = 3 * k * (kTriangles / kMeshes);
        m.meshes[k].triangleCount = kTriangles / kMeshes;
    }
}

void BM_SubdivideAllMeshes(benchmark::State& state) {
    Model m;
    for (auto _ : state) {
        state.PauseTiming();
        buildModel(m, 0);
        state.ResumeTiming();
        subdivideAllMeshes(m);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["triangles_after"] = static_cast<double>(triangleCount(m));
}
BENCHMARK(BM_SubdivideAllMeshes)->Unit(benchmark::kMillisecond);

void BM_SubdivideSelectedTriangles(benchmark::State& state) {
    Model m;
    for (auto _ : state) {
        state.PauseTiming();
        buildModel(m, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        subdivideSelectedTriangles(m);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["triangles_after"] = static_cast<double>(triangleCount(m));
}
BENCHMARK(BM_SubdivideSelectedTriangles)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

// Baseline: the walk splitting one triangle at a time, each split moving the whole tail.
void BM_SubdivideSelectedOneAtATime(benchmark::State& state) {
    Model m;
    for (auto _ : state) {
        state.PauseTiming();
        buildModel(m, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        for (int t = 0; t < vertexCount(m);) {
            const bool split =
                m.vertices[t].selected && m.vertices[t + 1].selected && m.vertices[t + 2].selected;
            if (split) subdivideTriangle(m, t);
            t += split ? 12 : 3;
        }
        benchmark::DoNotOptimize(m.vertices.data());
    }
}
BENCHMARK(BM_SubdivideSelectedOneAtATime)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
