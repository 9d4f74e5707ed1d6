// Welding a 100k-triangle mesh beside the smooth normals of the same mesh, measured in one run.
#include "edit/normals.h"
#include "edit/weld.h"
#include "grid_model.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// The grid with every corner nudged by up to 0.004 on x and y, as drifted corners are; corners of
// one grid point stay within the tolerance of each other, neighbouring points 0.1 apart do not.
void buildDriftedGrid(Model& m, int quads) {
    buildRippledGrid(m, quads);
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        const uint32_t h = static_cast<uint32_t>(i) * 2654435761u;
        m.vertices[i].x += static_cast<float>(static_cast<int>((h >> 8) % 9) - 4) * 0.001f;
        m.vertices[i].y += static_cast<float>(static_cast<int>((h >> 16) % 9) - 4) * 0.001f;
    }
}

// Argument: quads; 50,000 quads are 100,000 triangles. The weld runs the batched normals pass
// the editor runs after it; the smooth mesh's full recalculation is the next benchmark.
void BM_WeldMesh(benchmark::State& state) {
    Model m;
    buildDriftedGrid(m, static_cast<int>(state.range(0)));
    completeNormals(m);
    const std::vector<Vertex> drifted = m.vertices;
    int32_t moved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m.vertices = drifted;
        m.normalsPending = false;
        state.ResumeTiming();
        moved = weldMesh(m, 0, kCoincidenceTolerance);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["triangles"] = static_cast<double>(triangleCount(m));
    state.counters["moved"] = moved;
}
BENCHMARK(BM_WeldMesh)->Arg(50000)->Unit(benchmark::kMillisecond);

// Every smooth normal of the same drifted mesh, recomputed from scratch.
void BM_WeldMeshSmoothNormals(benchmark::State& state) {
    Model m;
    buildDriftedGrid(m, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (Vertex& v : m.vertices) v.normalDirty = true;
        state.ResumeTiming();
        completeNormals(m);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["triangles"] = static_cast<double>(triangleCount(m));
}
BENCHMARK(BM_WeldMeshSmoothNormals)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
