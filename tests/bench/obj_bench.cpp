// OBJ import speed on the shared models and a composite of all of them, beside tinyobjloader
// loading the same file into the same triangle soup; the import's peak heap against the model it
// builds; export and the model file reader on the same geometry; glTF export and import of the
// same models beside FW2 save and OBJ import; whole processes: the tool's info beside a plain
// tinyobjloader program.
#include "base/huge_pages.h"
#include "bench_memory.h"
#include "model/gltf_export.h"
#include "model/gltf_import.h"
#include "model/model_file.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/text_lines.h"
#include "scratch_dirs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#if __has_include(<tiny_obj_loader.h>)
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
#define FW_HAVE_TINYOBJLOADER 1
#endif

namespace {

const char* const kModels[] = {"stanford-bunny", "nefertiti",   "ogre",    "beast", "beetle-alt",
                               "rocker-arm",     "cheburashka", "fandisk", "homer", "spot",
                               "teapot",         "cow",         "suzanne"};

// ../shared/models beside the repository (__FILE__ may be relative to the build, as ccache makes
// it).
std::string modelsDirectory() {
    return std::string(FW_SOURCE_DIR) + "/../shared/models/";
}

// A scratch per-user directory, so the log never lands in the user's own.
const std::string& scratch() {
    static const std::string dir = [] {
        const std::string d = fwtest::makeTempDir("fwobjbench");
        setenv("APPDATA", d.c_str(), 1);
        mkdir((d + "/Facetwright").c_str(), 0755);
        return d + "/";
    }();
    return dir;
}

// Adds the offsets to every index of a face line's corners ("v", "v/t", "v/t/n", "v//n").
std::string offsetFace(const std::string& line, const long offsets[3]) {
    std::string out = "f";
    std::size_t i = 1;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        out += ' ';
        int part = 0;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            if (line[i] == '/') {
                out += '/';
                ++part, ++i;
                continue;
            }
            long n = 0;
            while (i < line.size() && line[i] >= '0' && line[i] <= '9')
                n = n * 10 + (line[i++] - '0');
            out += std::to_string(n + offsets[part < 3 ? part : 2]);
        }
    }
    return out;
}

// All thirteen models three times over, each as a group with its indices offset.
const std::string& compositePath() {
    static const std::string path = [] {
        const std::string p = scratch() + "composite.obj";
        std::string out;
        long offsets[3] = {0, 0, 0};
        for (int copy = 0; copy < 3; ++copy)
            for (const char* name : kModels) {
                std::string data;
                if (!readWholeFile(modelsDirectory() + name + ".obj", data)) return std::string();
                out += "g " + std::string(name) + std::to_string(copy) + "\n";
                long counts[3] = {0, 0, 0};
                std::size_t at = 0;
                while (at < data.size()) {
                    std::size_t nl = data.find('\n', at);
                    if (nl == std::string::npos) nl = data.size();
                    const std::string line = data.substr(at, nl - at);
                    at = nl + 1;
                    if (line.rfind("v ", 0) == 0) ++counts[0];
                    if (line.rfind("vt ", 0) == 0) ++counts[1];
                    if (line.rfind("vn ", 0) == 0) ++counts[2];
                    if (line.rfind("g ", 0) == 0) continue;
                    out += line.rfind("f ", 0) == 0 ? offsetFace(line, offsets) : line;
                    out += '\n';
                }
                for (int k = 0; k < 3; ++k) offsets[k] += counts[k];
            }
        FILE* f = std::fopen(p.c_str(), "wb");
        if (!f) return std::string();
        // Written back before any timing, so no import is timed while the kernel flushes it.
        const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size() &&
                        std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
        return std::fclose(f) == 0 && ok ? p : std::string();
    }();
    return path;
}

std::string pathOf(const std::string& which) {
    return which == "composite" ? compositePath() : modelsDirectory() + which + ".obj";
}

bool haveFile(benchmark::State& state, const std::string& path) {
    scratch();
    struct stat st {};
    if (!path.empty() && ::stat(path.c_str(), &st) == 0) return true;
    state.SkipWithError("model file missing");
    return false;
}

std::size_t modelBytes(const Model& m) {
    return m.vertices.capacity() * sizeof(Vertex) + m.meshes.capacity() * sizeof(Mesh);
}

void BM_ImportObj(benchmark::State& state, const char* which) {
    const std::string path = pathOf(which);
    if (!haveFile(state, path)) return;
    int32_t triangles = 0;
    double peakRatio = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        heapPeakReset();
        Model m;
        if (!importObj(m, path).ok) state.SkipWithError("import failed");
        triangles = triangleCount(m);
        peakRatio = static_cast<double>(heapPeak() - before) / static_cast<double>(modelBytes(m));
    }
    state.counters["triangles"] = triangles;
    state.counters["peak_over_model"] = peakRatio;
}
// Several runs each, interleaved with the baselines' by make bench, and their medians: a
// disturbed stretch of time then falls on both sides and decides no ratio. The composite is long,
// so three runs.
BENCHMARK_CAPTURE(BM_ImportObj, bunny, "stanford-bunny")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_ImportObj, ogre, "ogre")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_ImportObj, composite, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->UseRealTime();

// The floor under any import of the composite: its vertex array reserved and filled as the import
// fills it, nothing read or parsed. One fill a run, as an import makes one array. Backed: with the
// import's page-backing worker beside the filling.
void fillVertexArray(benchmark::State& state, bool backed) {
    static const std::size_t count = [] {
        Model m;
        return importObj(m, pathOf("composite")).ok ? m.vertices.size() : 0;
    }();
    if (count == 0) {
        state.SkipWithError("import failed");
        return;
    }
    for (auto _ : state) {
        std::vector<Vertex> vertices;
        reserveOnHugePages(vertices, count);
        PageBacking backing;
        if (backed) startPageBacking(backing, vertices.data(), count * sizeof(Vertex));
        for (std::size_t i = 0; i < count; ++i) {
            Vertex v;
            initVertex(v);
            v.x = static_cast<float>(i);
            vertices.push_back(v);
        }
        stopPageBacking(backing);
        benchmark::DoNotOptimize(vertices.data());
    }
}
void BM_FillVertexArray(benchmark::State& state) {
    fillVertexArray(state, false);
}
void BM_FillVertexArrayBacked(benchmark::State& state) {
    fillVertexArray(state, true);
}
// Wall time: the page-backing worker runs on a second core.
BENCHMARK(BM_FillVertexArray)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK(BM_FillVertexArrayBacked)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

#ifdef FW_HAVE_TINYOBJLOADER
struct TinyObjResult {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
};

bool loadWithTinyObj(const std::string& path, TinyObjResult& out) {
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    return tinyobj::LoadObj(&out.attrib, &out.shapes, &materials, &warn, &err, path.c_str());
}

// tinyobjloader's load, then its shapes expanded into the triangle soup the import builds: three
// initialised vertices per triangle with position and texture coordinates.
void BM_TinyObjSoup(benchmark::State& state, const char* which) {
    const std::string path = pathOf(which);
    if (!haveFile(state, path)) return;
    std::size_t triangles = 0;
    for (auto _ : state) {
        TinyObjResult r;
        if (!loadWithTinyObj(path, r)) state.SkipWithError("tinyobjloader failed");
        triangles = 0;
        for (const auto& s : r.shapes) triangles += s.mesh.num_face_vertices.size();
        std::vector<Vertex> soup;
        soup.reserve(triangles * 3);
        for (const auto& s : r.shapes)
            for (const tinyobj::index_t& c : s.mesh.indices) {
                Vertex v;
                initVertex(v);
                v.x = r.attrib.vertices[3 * c.vertex_index];
                v.y = r.attrib.vertices[3 * c.vertex_index + 1];
                v.z = r.attrib.vertices[3 * c.vertex_index + 2];
                if (c.texcoord_index >= 0) {
                    v.textureX = r.attrib.texcoords[2 * c.texcoord_index];
                    v.textureY = r.attrib.texcoords[2 * c.texcoord_index + 1];
                }
                soup.push_back(v);
            }
        benchmark::DoNotOptimize(soup.data());
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}
// tinyobjloader's load alone, without building the soup: a bound on the parsing side only.
void BM_TinyObjLoadOnly(benchmark::State& state, const char* which) {
    const std::string path = pathOf(which);
    if (!haveFile(state, path)) return;
    for (auto _ : state) {
        TinyObjResult r;
        if (!loadWithTinyObj(path, r)) state.SkipWithError("tinyobjloader failed");
        benchmark::DoNotOptimize(r.shapes.data());
    }
}
BENCHMARK_CAPTURE(BM_TinyObjLoadOnly, ogre, "ogre")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_TinyObjLoadOnly, composite, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_TinyObjSoup, bunny, "stanford-bunny")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_TinyObjSoup, ogre, "ogre")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_TinyObjSoup, composite, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->UseRealTime();
#endif

void BM_ReadWholeFile(benchmark::State& state) {
    const std::string path = pathOf("ogre");
    if (!haveFile(state, path)) return;
    for (auto _ : state) {
        std::string data;
        if (!readWholeFile(path, data)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(data.data());
    }
    state.SetLabel("ogre.obj, the bytes only");
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond);

void BM_ExportObj(benchmark::State& state) {
    const std::string path = pathOf("ogre");
    if (!haveFile(state, path)) return;
    Model m;
    if (!importObj(m, path).ok) {
        state.SkipWithError("import failed");
        return;
    }
    for (auto _ : state)
        if (!exportObj(m, scratch() + "ogre-out.obj").ok) state.SkipWithError("export failed");
}
BENCHMARK(BM_ExportObj)->Unit(benchmark::kMillisecond);

#if defined(FW_TOOL_PATH) && defined(FW_TINYOBJ_INFO_PATH)
// ---- whole processes ----

// A four-line OBJ file: what remains is the cost of starting and ending a process.
const std::string& triangleObjPath() {
    static const std::string path = [] {
        const std::string p = scratch() + "triangle.obj";
        FILE* f = std::fopen(p.c_str(), "wb");
        if (!f) return std::string();
        std::fputs("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", f);
        return std::fclose(f) == 0 ? p : std::string();
    }();
    return path;
}

// Runs the program with its arguments, output discarded; false unless it exits with 0.
bool runProgram(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Whole-process time of `facetwright-tool info FILE`: loading the program and its libraries,
// the import, the counts and the exit.
void BM_ProcessToolInfo(benchmark::State& state, const char* which) {
    const std::string path = std::string(which) == "triangle" ? triangleObjPath() : pathOf(which);
    if (!haveFile(state, path)) return;
    for (auto _ : state)
        if (!runProgram({FW_TOOL_PATH, "info", path})) state.SkipWithError("info failed");
}
// The same for the tinyobjloader program.
void BM_ProcessTinyObj(benchmark::State& state, const char* which) {
    const std::string path = std::string(which) == "triangle" ? triangleObjPath() : pathOf(which);
    if (!haveFile(state, path)) return;
    for (auto _ : state)
        if (!runProgram({FW_TINYOBJ_INFO_PATH, path})) state.SkipWithError("program failed");
}
BENCHMARK_CAPTURE(BM_ProcessToolInfo, triangle, "triangle")->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(BM_ProcessTinyObj, triangle, "triangle")->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(BM_ProcessToolInfo, ogre, "ogre")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_ProcessTinyObj, ogre, "ogre")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);
BENCHMARK_CAPTURE(BM_ProcessToolInfo, composite, "composite")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_ProcessTinyObj, composite, "composite")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3);
#endif
// glTF beside the formats the program already had: export against saving the model file of the
// same model, import of that .glb against importing the OBJ it came from.
enum class Interchange { SaveFw2, ExportGlb, ImportGlb };

void BM_Interchange(benchmark::State& state, Interchange what, const char* which) {
    const std::string path = pathOf(which);
    if (!haveFile(state, path)) return;
    Model m;
    if (!importObj(m, path).ok) {
        state.SkipWithError("import failed");
        return;
    }
    const std::string glb = scratch() + which + ".glb";
    if (!exportGltf(m, glb, PngSource()).ok) state.SkipWithError("export failed");
    for (auto _ : state) {
        bool ok = false;
        if (what == Interchange::SaveFw2) {
            ok = writeModelFileAs(m, scratch() + which + ".FW2");
        } else if (what == Interchange::ExportGlb) {
            ok = exportGltf(m, glb, PngSource()).ok;
        } else {
            Model back;
            back.materials.resize(1);
            ok = importGltf(back, glb).ok;
        }
        if (!ok) state.SkipWithError("failed");
    }
    state.counters["triangles"] = triangleCount(m);
}
BENCHMARK_CAPTURE(BM_Interchange, save_fw2_ogre, Interchange::SaveFw2, "ogre")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_Interchange, export_glb_ogre, Interchange::ExportGlb, "ogre")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_Interchange, import_glb_ogre, Interchange::ImportGlb, "ogre")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_Interchange, save_fw2_composite, Interchange::SaveFw2, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_Interchange, export_glb_composite, Interchange::ExportGlb, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK_CAPTURE(BM_Interchange, import_glb_composite, Interchange::ImportGlb, "composite")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

} // namespace
