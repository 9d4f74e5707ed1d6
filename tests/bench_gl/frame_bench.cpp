// Frame times of the editor under Xvfb (Mesa) for layouts 0 and 4 with 10k, 100k and 1M
// triangles, beside a minimal immediate-mode loop drawing the same lit triangles in the same
// views; and start-up to the first frame with the default files.
#include "app/frame_step.h"
#include "app/startup.h"
#include "base/paths.h"
#include "gl/gl_test_context.h"
#include "platform/fake_platform.h"
#include "render/viewport.h"
#include "scratch_dirs.h"
#include "ui/panel.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int kWidth = 1024, kHeight = 768;

void scratchUserDirectory() {
    static bool done = false;
    if (done) return;
    done = true;
    const std::string dir = fwtest::makeTempDir("fwframebench");
    if (dir.empty()) return;
    setenv("APPDATA", dir.c_str(), 1);
    makeDirectories(userDirectory());
    std::ofstream(userDirectory() + "Config.ini")
        << "WindowWidth = " << kWidth << "\nWindowHeight = " << kHeight
        << "\nShowHint0 = 0\nEnableUpdateChecking = 0\n";
}

// A rippled sheet of `triangles` triangles in one smooth mesh, about 2 units across.
void buildSheet(Model& m, int64_t triangles) {
    const int cols = static_cast<int>(std::sqrt(static_cast<double>(triangles) / 2));
    const int64_t quads = triangles / 2;
    const float step = 2.0f / static_cast<float>(cols);
    auto corner = [&](int gx, int gy) {
        Vertex v;
        v.x = static_cast<float>(gx) * step - 1.0f;
        v.y = static_cast<float>(gy) * step - 1.0f;
        v.z = 0.1f * std::sin(static_cast<float>(gx) * 0.3f) *
              std::cos(static_cast<float>(gy) * 0.2f);
        return v;
    };
    m.vertices.clear();
    m.vertices.reserve(static_cast<std::size_t>(quads) * 6);
    for (int64_t q = 0; q < quads; ++q) {
        const int gx = static_cast<int>(q % cols), gy = static_cast<int>(q / cols);
        for (const Vertex& v : {corner(gx, gy), corner(gx + 1, gy), corner(gx + 1, gy + 1),
                                corner(gx, gy), corner(gx + 1, gy + 1), corner(gx, gy + 1)})
            m.vertices.push_back(v);
    }
    Mesh mesh;
    mesh.triangleCount = static_cast<int32_t>(2 * quads);
    mesh.smooth = true;
    m.meshes.assign(1, mesh);
    m.LoadOK = true;
    // Normals are not what is measured (the sheet is far denser than the low-poly models the
    // smooth pass is made for): plain upward ones, already clean.
    for (Vertex& v : m.vertices) {
        v.normalX = v.normalY = 0;
        v.normalZ = 1;
        v.normalDirty = false;
    }
}

struct Bench {
    FakePlatform platform;
    std::unique_ptr<Editor> editor;
    int64_t triangles = -1;
};

// One editor for every frame benchmark; its model rebuilt when the size changes.
Bench& bench(int64_t triangles, int layout) {
    static Bench b;
    if (!b.editor) {
        scratchUserDirectory();
        if (!glTestContextReady()) glTestContextStart(kWidth, kHeight);
        b.editor = std::make_unique<Editor>(b.platform);
        startEditor(*b.editor, "");
    }
    if (b.triangles != triangles) {
        buildSheet(b.editor->edit, triangles);
        b.triangles = triangles;
    }
    b.editor->state.viewLayout = layout;
    layoutViewports(b.editor->views, layout, kWidth, kHeight);
    // Mesa compiles its pipeline for each new state on first use: keep that out of the timing.
    for (int i = 0; i < 2; ++i) {
        renderFrame(*b.editor);
        glFinish();
    }
    return b;
}

void setCounters(benchmark::State& state) {
    state.counters["triangles"] = static_cast<double>(state.range(1));
}

// Arguments: layout, triangles.
void BM_EditorFrame(benchmark::State& state) {
    Bench& b = bench(state.range(1), static_cast<int>(state.range(0)));
    for (auto _ : state) {
        updateStatus(*b.editor);
        renderFrame(*b.editor);
        glFinish();
    }
    setCounters(state);
}

// The passes a view draws with the toolbars' toggles: the orthographic views always show points
// and wireframe, the 3D view as its toolbar says; both shade when "Show Materials" is on.
struct Passes {
    bool points, wire, shaded;
};
Passes passesOf(const Editor& e, ViewId id) {
    enum { kPoints = 1027, kMeshes = 1028, kMaterials = 1029 };
    if (id != View3D) return {true, true, getState(e.panels.viewOrtho, kMaterials)};
    return {getState(e.panels.view3D, kPoints), getState(e.panels.view3D, kMeshes),
            getState(e.panels.view3D, kMaterials)};
}

// The same views, each set up by the editor's camera code, then the same passes drawn plainly:
// one glBegin/glEnd each for points, wire edges and lit triangles.
void BM_MinimalFrame(benchmark::State& state) {
    Bench& b = bench(state.range(1), static_cast<int>(state.range(0)));
    const Model& m = b.editor->edit;
    const int layout = static_cast<int>(state.range(0));
    for (auto _ : state) {
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (ViewId id : {ViewFront, ViewLeft, ViewTop, View3D}) {
            if (layout == 4 && id != View3D) continue;
            const Passes passes = passesOf(*b.editor, id);
            setupViewport(b.editor->views[id]);
            glEnable(GL_DEPTH_TEST);
            glDisable(GL_LIGHTING);
            if (passes.points) {
                glPointSize(5);
                glColor4f(0.2f, 0.2f, 0.8f, 0.5f);
                glBegin(GL_POINTS);
                for (const Vertex& v : m.vertices) glVertex3f(v.x, v.y, v.z);
                glEnd();
            }
            if (passes.wire) {
                glColor4f(0.2f, 0.2f, 0.4f, 0.5f);
                glBegin(GL_LINES);
                for (std::size_t t = 0; t + 2 < m.vertices.size(); t += 3)
                    for (int c : {0, 1, 1, 2, 2, 0}) {
                        const Vertex& v = m.vertices[t + c];
                        glVertex3f(v.x, v.y, v.z);
                    }
                glEnd();
            }
            if (passes.shaded) {
                glEnable(GL_LIGHTING);
                glEnable(GL_LIGHT0);
                glBegin(GL_TRIANGLES);
                for (const Vertex& v : m.vertices) {
                    glNormal3f(v.normalX, v.normalY, v.normalZ);
                    glVertex3f(v.x, v.y, v.z);
                }
                glEnd();
            }
        }
        glFinish();
    }
    state.SetLabel(std::string("3D view passes: ") +
                   (passesOf(*b.editor, View3D).points ? "points " : "") +
                   (passesOf(*b.editor, View3D).wire ? "wire " : "") +
                   (passesOf(*b.editor, View3D).shaded ? "shaded" : ""));
    setCounters(state);
}

// Each editor frame runs right beside the minimal one of the same size, three times, so a
// disturbance of the machine falls on both and the median leaves out one disturbed run.
const int kFramesRegistered = [] {
    for (int layout : {0, 4})
        for (int triangles : {10000, 100000, 1000000})
            for (auto* b : {benchmark::RegisterBenchmark("BM_EditorFrame", BM_EditorFrame),
                            benchmark::RegisterBenchmark("BM_MinimalFrame", BM_MinimalFrame)})
                b->Args({layout, triangles})
                    ->MinTime(0.3)
                    ->Repetitions(3)
                    ->UseRealTime()
                    ->Unit(benchmark::kMillisecond);
    return 0;
}();

// Constructing the editor, its start-up (default files present) and the first frame.
void BM_StartupToFirstFrame(benchmark::State& state) {
    scratchUserDirectory();
    if (!glTestContextReady()) glTestContextStart(kWidth, kHeight);
    {
        FakePlatform first; // writes the default files once
        Editor e(first);
        startEditor(e, "");
    }
    for (auto _ : state) {
        FakePlatform platform;
        Editor e(platform);
        if (!startEditor(e, "")) state.SkipWithError("start-up failed");
        updateStatus(e);
        renderFrame(e);
        glFinish();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
