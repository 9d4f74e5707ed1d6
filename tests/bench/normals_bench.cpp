// Normal recalculation timings: the indexed smooth pass against a plain scan of the mesh.
#include "edit/normals.h"
#include "edit/reference_normals.h"
#include "grid_model.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

void markAllDirty(Model& m) {
    for (Vertex& v : m.vertices) v.normalDirty = true;
}

// Argument: quads (6 vertices each). 16,667 quads = 100,002 vertices; 3,334 = 20,004.
void BM_CompleteNormalsSmooth(benchmark::State& state) {
    Model m;
    buildRippledGrid(m, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        markAllDirty(m);
        state.ResumeTiming();
        completeNormals(m);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["vertices"] = static_cast<double>(vertexCount(m));
}
BENCHMARK(BM_CompleteNormalsSmooth)->Arg(3334)->Arg(16667)->Unit(benchmark::kMillisecond);

void BM_PlainScanSmooth(benchmark::State& state) {
    Model m;
    buildRippledGrid(m, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int32_t v = 0; v < vertexCount(m); ++v) {
            const Vec3 n = referenceSmooth(m, v);
            m.vertices[v].normalX = n.x;
            m.vertices[v].normalY = n.y;
            m.vertices[v].normalZ = n.z;
        }
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["vertices"] = static_cast<double>(vertexCount(m));
}
BENCHMARK(BM_PlainScanSmooth)->Arg(3334)->Unit(benchmark::kMillisecond);

// One batched pass, as a frame runs it while normals are pending, on a freshly loaded smooth mesh
// of 1M triangles (166,667 quads): the editor must stay responsive meanwhile.
void BM_PendingNormalsPass(benchmark::State& state) {
    Model m;
    buildRippledGrid(m, static_cast<int>(state.range(0)));
    markAllDirty(m);
    for (auto _ : state) {
        recalculateNormals(m);
        benchmark::DoNotOptimize(m.vertices.data());
    }
    state.counters["vertices"] = static_cast<double>(vertexCount(m));
}
BENCHMARK(BM_PendingNormalsPass)->Arg(500000)->Unit(benchmark::kMillisecond);

// Frames until an ogre-sized model (124k triangles) loaded with every normal pending is shaded,
// each frame granted the editor's 8 ms of passes, which carry on from what the frames before
// learnt, as in the editor. Argument: 1 for a smooth mesh, 0 for flat.
void BM_FramesToShade(benchmark::State& state) {
    Model m;
    buildRippledGrid(m, 62004);
    m.meshes[0].smooth = state.range(0) != 0;
    int frames = 0;
    for (auto _ : state) {
        markAllDirty(m);
        m.normalsPending = true;
        frames = 0;
        NormalsProgress progress;
        while (m.normalsPending) recalculateNormalsWithin(m, progress, 8), ++frames;
    }
    state.counters["frames"] = frames;
}
BENCHMARK(BM_FramesToShade)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
