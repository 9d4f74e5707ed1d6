// Model file speed: building, saving and loading a 100,000-triangle grid.
#include "model/model_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kColumns = 250, kRows = 200; // 250 x 200 cells, two triangles each

// A scratch directory for the files and the log, so the user's own log is never touched.
const std::string& scratchDirectory() {
    static const std::string dir = [] {
        char name[] = "/tmp/fwbench.XXXXXX";
        std::string d = mkdtemp(name);
        setenv("APPDATA", d.c_str(), 1);
        mkdir((d + "/Facetwright").c_str(), 0755);
        return d + "/";
    }();
    return dir;
}

std::unique_ptr<Model> gridModel() {
    scratchDirectory();
    auto m = std::make_unique<Model>();
    m->materials.resize(1);
    m->meshes.resize(1);
    m->meshes[0].triangleCount = kColumns * kRows * 2;
    m->vertices.reserve(static_cast<std::size_t>(kColumns) * kRows * 6);
    auto corner = [&](int c, int r) {
        Vertex v;
        v.x = static_cast<float>(c) * 0.01f - 1.25f;
        v.y = static_cast<float>(r) * 0.01f - 1.0f;
        v.z = static_cast<float>((c * 7 + r * 13) % 17) * 0.003f;
        v.textureX = static_cast<float>(c) / kColumns;
        v.textureY = static_cast<float>(r) / kRows;
        m->vertices.push_back(v);
    };
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            corner(c, r), corner(c + 1, r), corner(c + 1, r + 1);
            corner(c, r), corner(c + 1, r + 1), corner(c, r + 1);
        }
    m->fileName = scratchDirectory() + "grid.FW2";
    return m;
}

void BM_ModelFileText(benchmark::State& state) {
    auto m = gridModel();
    for (auto _ : state) benchmark::DoNotOptimize(modelFileText(*m));
    state.SetLabel("100,000 triangles");
}

void BM_WriteModelFile(benchmark::State& state) {
    auto m = gridModel();
    for (auto _ : state)
        if (!writeModelFile(*m)) state.SkipWithError("save failed");
}

void BM_ReadModelFile(benchmark::State& state) {
    auto source = gridModel();
    if (!writeModelFile(*source)) {
        state.SkipWithError("save failed");
        return;
    }
    Model m;
    for (auto _ : state) {
        m.fileName = source->fileName;
        if (!readModelFile(m)) state.SkipWithError("load failed");
    }
    std::remove(source->fileName.c_str());
}

} // namespace

BENCHMARK(BM_ModelFileText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteModelFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadModelFile)->Unit(benchmark::kMillisecond);
