// OBJ import speed on the largest shared model, beside a plain read of the same file, the model
// file reader on the same geometry and, when its header is installed, tinyobjloader.
#include "model/model_file.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/text_lines.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#if __has_include(<tiny_obj_loader.h>)
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
#define FW_HAVE_TINYOBJLOADER 1
#endif

namespace {

// ../shared/models/ogre.obj beside the repository: 124,008 triangles.
std::string ogrePath() {
    std::string root = __FILE__;
    for (int i = 0; i < 3; ++i) root = root.substr(0, root.find_last_of('/'));
    return root + "/../shared/models/ogre.obj";
}

// A scratch per-user directory, so the log never lands in the user's own.
const std::string& scratch() {
    static const std::string dir = [] {
        char name[] = "/tmp/fwobjbench.XXXXXX";
        std::string d = mkdtemp(name);
        setenv("APPDATA", d.c_str(), 1);
        mkdir((d + "/Facetwright").c_str(), 0755);
        return d + "/";
    }();
    return dir;
}

bool haveOgre(benchmark::State& state) {
    scratch();
    struct stat st {};
    if (::stat(ogrePath().c_str(), &st) == 0) return true;
    state.SkipWithError("no shared ogre.obj");
    return false;
}

void BM_ReadWholeFile(benchmark::State& state) {
    if (!haveOgre(state)) return;
    for (auto _ : state) {
        std::string data;
        if (!readWholeFile(ogrePath(), data)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(data.data());
    }
    state.SetLabel("ogre.obj, the bytes only");
}

void BM_ImportObj(benchmark::State& state) {
    if (!haveOgre(state)) return;
    int32_t triangles = 0;
    for (auto _ : state) {
        Model m;
        if (!importObj(m, ogrePath()).ok) state.SkipWithError("import failed");
        triangles = triangleCount(m);
    }
    state.SetLabel("ogre.obj, " + std::to_string(triangles) + " triangles");
}

void BM_ExportObj(benchmark::State& state) {
    if (!haveOgre(state)) return;
    Model m;
    if (!importObj(m, ogrePath()).ok) {
        state.SkipWithError("import failed");
        return;
    }
    for (auto _ : state)
        if (!exportObj(m, scratch() + "ogre-out.obj").ok) state.SkipWithError("export failed");
}

// The model file reader on the same triangles, written once as a model file.
void BM_ReadModelFileSameGeometry(benchmark::State& state) {
    if (!haveOgre(state)) return;
    Model source;
    source.materials.resize(1);
    source.fileName = scratch() + "ogre.FW2";
    if (!importObj(source, ogrePath()).ok || !writeModelFile(source)) {
        state.SkipWithError("setup failed");
        return;
    }
    for (auto _ : state) {
        Model m;
        m.fileName = source.fileName;
        if (!readModelFile(m)) state.SkipWithError("load failed");
    }
}

#ifdef FW_HAVE_TINYOBJLOADER
void BM_TinyObjLoader(benchmark::State& state) {
    if (!haveOgre(state)) return;
    std::size_t triangles = 0;
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warn, err;
        if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, ogrePath().c_str()))
            state.SkipWithError("tinyobjloader failed");
        triangles = 0;
        for (const auto& s : shapes) triangles += s.mesh.num_face_vertices.size();
    }
    state.SetLabel("ogre.obj, " + std::to_string(triangles) + " triangles");
}
BENCHMARK(BM_TinyObjLoader)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportObj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportObj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadModelFileSameGeometry)->Unit(benchmark::kMillisecond);
