// Undo timings on models of 100,000 and 1,000,000 triangles with ten steps of undo, against a
// plain copy of the vertex array; and the heap a full ring of a 1,000,000-triangle model holds.
#include "bench_memory.h"
#include "edit/undo.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kMeshes = 4;
constexpr int kMaterials = 3;
constexpr int32_t kUndoSteps = 10;

// A wavy strip of triangles cut into equal meshes, each with its own material.
std::unique_ptr<Model> bigModel(int64_t triangles) {
    auto m = std::make_unique<Model>();
    setupUndo(*m, kUndoSteps);
    m->vertices.resize(static_cast<std::size_t>(3 * triangles));
    for (int64_t i = 0; i < 3 * triangles; ++i) {
        Vertex& v = m->vertices[i];
        v.x = static_cast<float>(i % 600) * 0.01f;
        v.y = static_cast<float>(i / 600) * 0.01f;
        v.z = 0.1f * std::sin(static_cast<float>(i) * 0.001f);
        v.normalZ = 1;
        v.textureX = v.x, v.textureY = v.y;
        v.selected = i % 5 == 0;
        v.normalDirty = false;
    }
    m->materials.resize(kMaterials);
    for (int k = 0; k < kMaterials; ++k) m->materials[k].name = "Material" + std::to_string(k);
    m->materials[0].TextureIndex = 1, m->materials[0].EnableTexture = true;
    m->textures = {Texture{"./stone.bmp", 1}, Texture{"./wood.bmp", 2}};
    m->meshes.resize(kMeshes);
    for (int k = 0; k < kMeshes; ++k) {
        m->meshes[k].firstVertex = static_cast<int32_t>(3 * k * (triangles / kMeshes));
        m->meshes[k].triangleCount = static_cast<int32_t>(triangles / kMeshes);
        m->meshes[k].MaterialNumber = k % kMaterials;
    }
    return m;
}

void addCounters(benchmark::State& state, const Model& m) {
    state.counters["triangles"] = static_cast<double>(triangleCount(m));
    state.counters["vertices"] = static_cast<double>(vertexCount(m));
}

// Fills every slot once, so the timed snapshots replace older ones, as in a long session.
void fillRing(Model& m) {
    for (std::size_t i = 0; i < m.undo.slots.size(); ++i) takeSnapshot(m);
}

// The usual case: the model keeps its size, so each slot's lists are overwritten in place.
void BM_TakeSnapshot(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    fillRing(*m);
    for (auto _ : state) {
        takeSnapshot(*m);
        benchmark::DoNotOptimize(m->undo.slots.data());
    }
    addCounters(state, *m);
}
BENCHMARK(BM_TakeSnapshot)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The model changes size at every step (one triangle more or less), so with an odd slot count
// every snapshot needs new lists.
void BM_TakeSnapshotSizeChanges(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    fillRing(*m);
    std::vector<Vertex> other(m->vertices.size() + 3);
    for (auto _ : state) {
        state.PauseTiming();
        m->vertices.swap(other);
        state.ResumeTiming();
        takeSnapshot(*m);
        benchmark::DoNotOptimize(m->undo.slots.data());
    }
    addCounters(state, *m);
}
BENCHMARK(BM_TakeSnapshotSizeChanges)->Arg(100000)->Unit(benchmark::kMillisecond);

// The first undo after an edit: keeps the present in the ring, then restores the snapshot.
void BM_UndoFirst(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    fillRing(*m);
    for (auto _ : state) {
        state.PauseTiming();
        takeSnapshot(*m);
        m->vertices[0].x += 1;
        state.ResumeTiming();
        undo(*m);
        benchmark::DoNotOptimize(m->vertices.data());
    }
    addCounters(state, *m);
}
BENCHMARK(BM_UndoFirst)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A further undo: one restore from the ring.
void BM_UndoFurther(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    fillRing(*m);
    for (auto _ : state) {
        state.PauseTiming();
        takeSnapshot(*m);
        takeSnapshot(*m);
        undo(*m);
        state.ResumeTiming();
        undo(*m);
        benchmark::DoNotOptimize(m->vertices.data());
    }
    if (!m->undo.canUndo) state.SkipWithError("the timed undo found nothing to restore");
    addCounters(state, *m);
}
BENCHMARK(BM_UndoFurther)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Baseline: copy the vertex array into a fresh vector and drop it again, as a snapshot of a
// changed size drops the slot's old lists.
void BM_PlainVertexVectorCopy(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    for (auto _ : state) {
        std::vector<Vertex> copy(m->vertices);
        benchmark::DoNotOptimize(copy.data());
    }
    addCounters(state, *m);
}
BENCHMARK(BM_PlainVertexVectorCopy)->Arg(100000)->Unit(benchmark::kMillisecond);

// Baseline: copy-assign the vertex array onto a vector of the same size.
void BM_PlainVertexVectorAssign(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    std::vector<Vertex> copy(m->vertices.size());
    for (auto _ : state) {
        copy = m->vertices;
        benchmark::DoNotOptimize(copy.data());
    }
    addCounters(state, *m);
}
BENCHMARK(BM_PlainVertexVectorAssign)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The heap held by eleven filled slots (ten steps of undo) of a 1,000,000-triangle model.
void BM_UndoRingHeap(benchmark::State& state) {
    auto m = bigModel(state.range(0));
    double megabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setupUndo(*m, kUndoSteps);
        const std::size_t before = heapInUse();
        state.ResumeTiming();
        fillRing(*m);
        megabytes = static_cast<double>(heapInUse() - before) / (1024.0 * 1024.0);
    }
    state.counters["ring_MB"] = megabytes;
    addCounters(state, *m);
}
BENCHMARK(BM_UndoRingHeap)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
