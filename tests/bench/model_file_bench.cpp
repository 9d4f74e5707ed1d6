// Model file speed: saving and loading grids of 100,000 and 1,000,000 triangles, beside a plain
// fprintf writer and fgets/sscanf reader of the same format (which also check the bytes and the
// floats are the same).
#include "model/model_file.h"
#include "model/text_lines.h"
#include "scratch_dirs.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A scratch directory for the files and the log, so the user's own log is never touched.
const std::string& scratchDirectory() {
    static const std::string dir = [] {
        const std::string d = fwtest::makeTempDir("fwbench");
        setenv("APPDATA", d.c_str(), 1);
        mkdir((d + "/Facetwright").c_str(), 0755);
        return d + "/";
    }();
    return dir;
}

// 250 columns of cells, two triangles each; rows make up the triangle count.
std::unique_ptr<Model> gridModel(int64_t triangles) {
    constexpr int kColumns = 250;
    const int rows = static_cast<int>(triangles / (2 * kColumns));
    auto m = std::make_unique<Model>();
    m->materials.resize(1);
    m->materials[0].name = "Grid";
    m->textures.push_back(Texture{"./grid.bmp", 0});
    m->meshes.resize(1);
    m->meshes[0].triangleCount = kColumns * rows * 2;
    m->vertices.reserve(static_cast<std::size_t>(kColumns) * rows * 6);
    auto corner = [&](int c, int r) {
        Vertex v;
        v.x = static_cast<float>(c) * 0.01f - 1.25f;
        v.y = static_cast<float>(r) * 0.01f - 1.0f;
        v.z = static_cast<float>((c * 7 + r * 13) % 17) * 0.003f;
        v.textureX = static_cast<float>(c) / kColumns;
        v.textureY = static_cast<float>(r) / static_cast<float>(rows);
        m->vertices.push_back(v);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            corner(c, r), corner(c + 1, r), corner(c + 1, r + 1);
            corner(c, r), corner(c + 1, r + 1), corner(c, r + 1);
        }
    m->fileName = scratchDirectory() + "grid" + std::to_string(triangles) + ".FW2";
    return m;
}

// One grid per size, written once by the program's writer.
const Model& savedGrid(int64_t triangles) {
    static std::unique_ptr<Model> grids[2];
    auto& g = grids[triangles > 100000 ? 1 : 0];
    if (!g) {
        g = gridModel(triangles);
        writeModelFile(*g);
    }
    return *g;
}

// ---- the plain implementations ----

bool plainWrite(const Model& m, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::string header = modelFileText(Model{}); // the fixed lines of an empty model
    const std::size_t trailer = header.rfind("// \n// END");
    std::fwrite(header.data(), 1, trailer, f);
    for (std::size_t i = 0; i < m.textures.size(); ++i)
        std::fprintf(f, "TEX,%i,%s\n", static_cast<int>(i), m.textures[i].fileName.c_str());
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        const Material& t = m.materials[i];
        std::fprintf(f,
                     "MAT,%i,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%i,%i,%i,%i,%i,%i,"
                     "%f,%f,%f,%f,%s\n",
                     static_cast<int>(i), t.ambientRed, t.ambientGreen, t.ambientBlue,
                     t.ambientAlpha, t.diffuseRed, t.diffuseGreen, t.diffuseBlue, t.diffuseAlpha,
                     t.specularRed, t.specularGreen, t.specularBlue, t.specularAlpha, t.emissionRed,
                     t.emissionGreen, t.emissionBlue, t.emissionAlpha, t.shininess,
                     t.EnableBlend ? 1 : 0, t.blendSrc, t.blendDst, t.EnableTexture ? 1 : 0,
                     t.TextureIndex, t.EnableLighting ? 1 : 0, t.colourRed, t.colourGreen,
                     t.colourBlue, t.colourAlpha, t.name.c_str());
    }
    for (std::size_t i = 0; i < m.meshes.size(); ++i) {
        const Mesh& k = m.meshes[i];
        std::fprintf(f, "MSH,%i,%i,%i,%i,%i\n", static_cast<int>(i), k.firstVertex, k.triangleCount,
                     k.MaterialNumber, k.smooth ? 1 : 0);
    }
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        const Vertex& v = m.vertices[i];
        std::fprintf(f, "VTX,%i,%f,%f,%f,%f,%f,%f,%f,%f,%f\n", static_cast<int>(i), v.x, v.y, v.z,
                     v.textureX, v.textureY, v.colourRed, v.colourGreen, v.colourBlue,
                     v.colourAlpha);
    }
    std::fputs(header.c_str() + trailer, f);
    return std::fclose(f) == 0;
}

// Two passes of fgets into a 1024-character buffer: count, then sscanf every record in place.
bool plainRead(Model& m, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    char line[1024];
    std::size_t counts[4] = {0, 0, 0, 0};
    const char* const tags[4] = {"VTX", "MSH", "MAT", "TEX"};
    while (std::fgets(line, sizeof line, f))
        for (int k = 0; k < 4; ++k)
            if (std::strncmp(line, tags[k], 3) == 0) ++counts[k];
    m.vertices.assign(counts[0], Vertex{});
    m.meshes.assign(counts[1], Mesh{});
    m.materials.assign(counts[2], Material{});
    m.textures.assign(counts[3], Texture{});
    std::rewind(f);
    char name[1024];
    while (std::fgets(line, sizeof line, f)) {
        int n = 0, a = 0, b = 0, c = 0, d = 0;
        if (std::strncmp(line, "VTX", 3) == 0) {
            Vertex v;
            std::sscanf(line, "VTX,%i,%f,%f,%f,%f,%f,%f,%f,%f,%f", &n, &v.x, &v.y, &v.z,
                        &v.textureX, &v.textureY, &v.colourRed, &v.colourGreen, &v.colourBlue,
                        &v.colourAlpha);
            if (n < 0 || static_cast<std::size_t>(n) >= counts[0]) break;
            m.vertices[n] = v;
        } else if (std::strncmp(line, "MSH", 3) == 0) {
            std::sscanf(line, "MSH,%i,%i,%i,%i,%i", &n, &a, &b, &c, &d);
            if (n < 0 || static_cast<std::size_t>(n) >= counts[1]) break;
            m.meshes[n].firstVertex = a, m.meshes[n].triangleCount = b;
            m.meshes[n].MaterialNumber = c, m.meshes[n].smooth = d >= 1;
        } else if (std::strncmp(line, "TEX", 3) == 0) {
            name[0] = '\0';
            std::sscanf(line, "TEX,%i,%1023s", &n, name);
            if (n < 0 || static_cast<std::size_t>(n) >= counts[3]) break;
            m.textures[n].fileName = name;
        }
    }
    return std::fclose(f) == 0;
}

bool sameVertices(const Model& a, const Model& b) {
    if (a.vertices.size() != b.vertices.size()) return false;
    for (std::size_t i = 0; i < a.vertices.size(); ++i) {
        const Vertex &p = a.vertices[i], &q = b.vertices[i];
        const float x[] = {p.x, p.y, p.z, p.textureX, p.textureY, p.colourAlpha};
        const float y[] = {q.x, q.y, q.z, q.textureX, q.textureY, q.colourAlpha};
        if (std::memcmp(x, y, sizeof x) != 0) return false;
    }
    return true;
}

// ---- the benchmarks; the argument is the triangle count ----

void addRate(benchmark::State& state, const Model& m) {
    state.counters["vertices_per_s"] = benchmark::Counter(
        static_cast<double>(m.vertices.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

// 100k and 1M triangles; three runs each, so the table's median leaves out a run of the 1M model
// that first had to fault in fresh memory.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(100000)->Arg(1000000)->Repetitions(3)->Unit(benchmark::kMillisecond);
}

void BM_SaveFw2(benchmark::State& state) {
    const Model& m = savedGrid(state.range(0));
    for (auto _ : state)
        if (!writeModelFile(m)) state.SkipWithError("save failed");
    addRate(state, m);
}
BENCHMARK(BM_SaveFw2)->Apply(sizes);

void BM_SaveFw2Fprintf(benchmark::State& state) {
    std::setlocale(LC_NUMERIC, "C");
    const Model& m = savedGrid(state.range(0));
    const std::string path = m.fileName + ".plain";
    for (auto _ : state)
        if (!plainWrite(m, path)) state.SkipWithError("plain save failed");
    std::string ours, plain;
    if (!readWholeFile(m.fileName, ours) || !readWholeFile(path, plain) || ours != plain)
        state.SkipWithError("the files differ");
    std::remove(path.c_str());
    addRate(state, m);
}
BENCHMARK(BM_SaveFw2Fprintf)->Apply(sizes);

void BM_LoadFw2(benchmark::State& state) {
    const Model& source = savedGrid(state.range(0));
    Model m;
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<Model>(); // a first load, into empty arrays
        fresh->fileName = source.fileName;
        state.ResumeTiming();
        if (!readModelFile(*fresh)) state.SkipWithError("load failed");
        state.PauseTiming();
        m.vertices.swap(fresh->vertices);
        fresh.reset();
        state.ResumeTiming();
    }
    Model plain;
    if (!plainRead(plain, source.fileName) || !sameVertices(m, plain))
        state.SkipWithError("the loaded floats differ from sscanf's");
    addRate(state, m);
}
BENCHMARK(BM_LoadFw2)->Apply(sizes);

void BM_LoadFw2Sscanf(benchmark::State& state) {
    std::setlocale(LC_NUMERIC, "C");
    const Model& source = savedGrid(state.range(0));
    Model m;
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<Model>();
        state.ResumeTiming();
        if (!plainRead(*fresh, source.fileName)) state.SkipWithError("plain load failed");
        state.PauseTiming();
        m.vertices.swap(fresh->vertices);
        fresh.reset();
        state.ResumeTiming();
    }
    addRate(state, m);
}
BENCHMARK(BM_LoadFw2Sscanf)->Apply(sizes);

} // namespace
