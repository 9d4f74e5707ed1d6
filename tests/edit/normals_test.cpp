// Normal recalculation: face normals, flat and smooth passes, batching and its log, degenerate
// input, and the spatial index checked bit for bit against a plain scan.
#include "edit/coincident_index.h"
#include "edit/normals.h"
#include "edit/reference_normals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

namespace {

void addTriangle(Model& m, Vec3 a, Vec3 b, Vec3 c) {
    for (const Vec3& p : {a, b, c}) {
        Vertex v;
        initVertex(v);
        v.x = p.x;
        v.y = p.y;
        v.z = p.z;
        m.vertices.push_back(v);
    }
}

void addMesh(Model& m, int32_t first, int32_t triangles, bool smooth) {
    Mesh mesh;
    initMesh(mesh);
    mesh.firstVertex = first;
    mesh.triangleCount = triangles;
    mesh.smooth = smooth;
    m.meshes.push_back(mesh);
}

Vec3 normalOf(const Model& m, int32_t i) {
    return {m.vertices[i].normalX, m.vertices[i].normalY, m.vertices[i].normalZ};
}

void expectNormal(const Model& m, int32_t i, float x, float y, float z) {
    const Vec3 n = normalOf(m, i);
    EXPECT_NEAR(n.x, x, 1e-6f) << "vertex " << i;
    EXPECT_NEAR(n.y, y, 1e-6f) << "vertex " << i;
    EXPECT_NEAR(n.z, z, 1e-6f) << "vertex " << i;
}

int logCount(const Model& m, const std::string& entry) {
    std::ifstream in(m.log.path);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
        if (line.size() >= entry.size() + 3 &&
            line.compare(line.size() - entry.size() - 3, std::string::npos, " - " + entry) == 0)
            ++n;
    return n;
}
const std::string kStart = "Recalculating Normals START";
const std::string kStop = "Recalculating Normals STOP";

// Plain scans written straight from the rules, to check the indexed pass against.
Vec3 referenceFlat(const Model& m, int32_t v) {
    const int32_t t = v - (v - m.meshes[meshOfVertex(m, v)].firstVertex) % 3;
    const Vec3 n =
        faceNormal({m.vertices[t].x, m.vertices[t].y, m.vertices[t].z},
                   {m.vertices[t + 1].x, m.vertices[t + 1].y, m.vertices[t + 1].z},
                   {m.vertices[t + 2].x, m.vertices[t + 2].y, m.vertices[t + 2].z}, true);
    if (n.x == 0 && n.y == 0 && n.z == 0) return {0, 0, 1};
    return n;
}

// Corners drawn from a small pool of points, each moved by a jitter that lands just inside, on
// or just past the tolerance and across cell boundaries; a few far out or not finite at all.
void buildRandomModel(Model& m, unsigned seed, int triangles) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> grid(-12, 12);
    std::vector<Vec3> pool(triangles / 2 + 1);
    for (Vec3& p : pool)
        p = {grid(rng) * 0.05f, grid(rng) * 0.05f, (grid(rng) % 3) * 0.05f - 0.025f};
    const float jitters[] = {0, 0, 0, 1e-7f, -1e-7f, 0.02f, -0.03f, 0.049f, 0.05f, -0.0500001f};
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    std::uniform_int_distribution<int> jit(0, 9), odd(0, 199);
    auto corner = [&]() {
        Vec3 p = pool[pick(rng)];
        p.x += jitters[jit(rng)];
        p.y += jitters[jit(rng)];
        p.z += jitters[jit(rng)];
        const int r = odd(rng);
        if (r == 0) p.x = std::nextafter(p.x, 1.0f); // one step off a cell boundary
        if (r == 1) p.y = 3.0e7f + p.y;              // beyond the indexed cells
        if (r == 2) p.z = std::numeric_limits<float>::quiet_NaN();
        if (r == 3) p.x = -std::numeric_limits<float>::infinity();
        return p;
    };
    for (int t = 0; t < triangles; ++t) addTriangle(m, corner(), corner(), corner());
    // Smooth and flat meshes of uneven sizes.
    for (int first = 0, k = 0; first < 3 * triangles; ++k) {
        const int count = std::min(triangles - first / 3, 1 + static_cast<int>(rng() % 400));
        addMesh(m, first, count, k % 3 != 1);
        first += 3 * count;
    }
}

// The expected pass result from the reference: dirty vertices, and every corner of a flat
// triangle with a dirty corner, get new normals; the rest keep theirs.
std::vector<Vec3> expectedNormals(const Model& m) {
    std::vector<Vec3> out;
    for (int32_t i = 0; i < vertexCount(m); ++i) {
        const Mesh& mesh = m.meshes[meshOfVertex(m, i)];
        const int32_t t = i - (i - mesh.firstVertex) % 3;
        if (mesh.smooth && m.vertices[i].normalDirty)
            out.push_back(referenceSmooth(m, i));
        else if (!mesh.smooth && (m.vertices[t].normalDirty || m.vertices[t + 1].normalDirty ||
                                  m.vertices[t + 2].normalDirty))
            out.push_back(referenceFlat(m, i));
        else
            out.push_back(normalOf(m, i));
    }
    return out;
}

bool sameBits(const Model& m, const std::vector<Vec3>& expected) {
    for (int32_t i = 0; i < vertexCount(m); ++i) {
        const Vec3 n = normalOf(m, i);
        if (std::memcmp(&n, &expected[i], sizeof n) != 0) {
            ADD_FAILURE() << "vertex " << i << " got " << n.x << " " << n.y << " " << n.z
                          << " expected " << expected[i].x << " " << expected[i].y << " "
                          << expected[i].z;
            return false;
        }
    }
    return true;
}

TEST(FaceNormal, CrossProductAndDegenerateInput) {
    // Orientation and the sign of the middle component.
    Vec3 n = faceNormal({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, false);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 6);
    n = faceNormal({1, 1, 1}, {1, 1, 2}, {2, 1, 1}, true);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 1);
    EXPECT_EQ(n.z, 0);
    // Collinear corners: zero, not NaN, normalised or not.
    n = faceNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, true);
    EXPECT_TRUE(n.x == 0 && n.y == 0 && n.z == 0);
    // A corner that is not finite gives a finite zero.
    n = faceNormal({0, 0, 0}, {std::numeric_limits<float>::quiet_NaN(), 0, 0}, {0, 1, 0}, true);
    EXPECT_TRUE(n.x == 0 && n.y == 0 && n.z == 0);
    n = faceNormal({0, 0, 0}, {std::numeric_limits<float>::infinity(), 0, 0}, {0, 1, 0}, true);
    EXPECT_TRUE(n.x == 0 && n.y == 0 && n.z == 0);
    // Squares that underflow or overflow still give the unit direction.
    n = faceNormal({0, 0, 0}, {1e-22f, 0, 0}, {0, 1e-22f, 0}, true);
    EXPECT_NEAR(n.z, 1, 1e-6f);
    n = faceNormal({0, 0, 0}, {1e-25f, 0, 0}, {0, 1e-25f, 0}, true);
    EXPECT_NEAR(n.z, 1, 1e-6f);
    n = faceNormal({0, 0, 0}, {0, 0, 3e19f}, {3e19f, 0, 0}, true);
    EXPECT_NEAR(n.y, 1, 1e-6f);
}

TEST(Normals, FlatTriangleWithMovedThirdCorner) {
    Model m;
    addTriangle(m, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    addTriangle(m, {5, 0, 0}, {6, 0, 0}, {5, 1, 0});
    addMesh(m, 0, 2, false);
    recalculateNormals(m);
    EXPECT_FALSE(m.normalsPending);
    expectNormal(m, 1, 0, 0, 1);
    // Only the third corner moves: the whole triangle gets the new face normal.
    m.vertices[2].y = 0;
    m.vertices[2].z = 1;
    m.vertices[2].normalDirty = true;
    m.vertices[4].normalX = 7; // the clean triangle is left alone
    recalculateNormals(m);
    for (int i = 0; i < 3; ++i) expectNormal(m, i, 0, -1, 0);
    EXPECT_EQ(m.vertices[4].normalX, 7);
    EXPECT_EQ(m.lastNormalVertex, 0);
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.normalDirty);
}

TEST(Normals, SmoothMeshesAverageOnlyWithinThemselves) {
    Model m;
    addTriangle(m, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}); // mesh 0, +z
    addTriangle(m, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}); // mesh 1, +y, shares the edge to (1,0,0)
    addTriangle(m, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}); // mesh 1, +x
    addMesh(m, 0, 1, true);
    addMesh(m, 3, 2, true);
    recalculateNormals(m);
    // The first vertex of the second mesh averages its own mesh's triangles only.
    const float h = 0.5f / std::sqrt(0.5f);
    expectNormal(m, 3, h, h, 0);
    EXPECT_EQ(m.lastNormalVertex, 8);
    // The shared edge stays hard on both sides.
    expectNormal(m, 0, 0, 0, 1);
    expectNormal(m, 1, 0, 0, 1);
    expectNormal(m, 5, 0, 1, 0);
    // In one mesh the same corner averages all three.
    m.meshes.resize(1);
    m.meshes[0].triangleCount = 3;
    for (Vertex& v : m.vertices) v.normalDirty = true;
    recalculateNormals(m);
    const float t = 1 / std::sqrt(3.0f);
    expectNormal(m, 0, t, t, t);
    expectNormal(m, 1, 0, h, h);
}

TEST(Normals, CoincidenceToleranceIsStrict) {
    // Triangle A faces +z, triangle B +x; B's first corner is offset from A's by `d`.
    auto normalAtA = [](Vec3 d) {
        Model m;
        addTriangle(m, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
        addTriangle(m, d, {d.x, d.y + 1, d.z}, {d.x, d.y, d.z + 1});
        addMesh(m, 0, 2, true);
        completeNormals(m);
        return normalOf(m, 0);
    };
    // 0.04 apart on every axis: one position.
    Vec3 n = normalAtA({0.04f, 0.04f, 0.04f});
    EXPECT_NEAR(n.x, std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(n.z, std::sqrt(0.5f), 1e-6f);
    // 0.05 apart on one axis: two positions, whichever axis.
    for (Vec3 d : {Vec3{0.05f, 0, 0}, Vec3{0, -0.05f, 0}, Vec3{0.01f, 0.01f, 0.05f}}) {
        n = normalAtA(d);
        EXPECT_EQ(n.x, 0);
        EXPECT_EQ(n.z, 1);
    }
}

TEST(Normals, BatchesOf101WithStartAndStopLogged) {
    // A flat mesh of 1,000 triangles: ten passes of at most 101 triangles.
    Model m;
    for (int t = 0; t < 1000; ++t)
        addTriangle(m, {float(t), 0, 0}, {float(t) + 1, 0, 0}, {0, 1, 0});
    addMesh(m, 0, 1000, false);
    int passes = 0;
    do {
        recalculateNormals(m);
        ++passes;
        EXPECT_EQ(logCount(m, kStart), passes);
        EXPECT_EQ(logCount(m, kStop), m.normalsPending ? 0 : 1);
        if (passes == 1) {
            EXPECT_EQ(m.lastNormalVertex, 300); // the 101st triangle
            EXPECT_FALSE(m.vertices[300].normalDirty);
            EXPECT_TRUE(m.vertices[303].normalDirty);
        }
    } while (m.normalsPending && passes < 20);
    EXPECT_EQ(passes, 10);
    EXPECT_EQ(m.lastNormalVertex, 2997);
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.normalDirty);

    // Exactly 101 recomputations still stop the pass; the next one finds nothing and finishes.
    Model s;
    for (int t = 0; t < 101; ++t) addTriangle(s, {0, 0, float(t)}, {1, 0, float(t)}, {0, 1, 0});
    addMesh(s, 0, 101, true);
    recalculateNormals(s);
    EXPECT_TRUE(s.normalsPending);
    EXPECT_EQ(s.lastNormalVertex, 100);
    EXPECT_EQ(logCount(s, kStop), 0);
    completeNormals(s);
    EXPECT_FALSE(s.normalsPending);
    EXPECT_EQ(s.lastNormalVertex, 302);
    EXPECT_EQ(logCount(s, kStart), 4); // 101 + 101 + 101 recomputations, then one finding none
    EXPECT_EQ(logCount(s, kStop), 1);
}

TEST(Normals, PassesWithinAFrameBudgetFinishInFewFramesLoggingEveryPass) {
    // 20,000 flat triangles, then a rippled smooth grid of 40,000: about 1,400 passes, and each
    // swept the whole grid when every frame started afresh (some 40 frames of 8 ms, not 5).
    constexpr int kCols = 200, kQuads = 20000;
    auto build = [](Model& m) {
        for (int t = 0; t < 20000; ++t)
            addTriangle(m, {float(t), 0, 0}, {float(t) + 1, 0, float(t % 7)}, {0, 1, 0});
        addMesh(m, 0, 20000, false);
        auto at = [](int gx, int gy) {
            return Vec3{gx * 0.1f, gy * 0.1f, 0.2f * std::sin(gx * 0.3f) * std::cos(gy * 0.2f)};
        };
        for (int q = 0; q < kQuads; ++q) {
            const int gx = q % kCols, gy = q / kCols;
            addTriangle(m, at(gx, gy), at(gx + 1, gy), at(gx + 1, gy + 1));
            addTriangle(m, at(gx, gy), at(gx + 1, gy + 1), at(gx, gy + 1));
        }
        addMesh(m, 60000, 2 * kQuads, true);
        m.normalsPending = true;
    };
    // Between two frames a corner of the already shaded part of the grid moves and is marked, as
    // Align does, with its former partners: the cache of the frames before knows the old place.
    constexpr int32_t kMoved = 60000 + 6 * 40 + 2; // the corner (41, 1) of quad (40, 0)
    auto edit = [](Model& m) {
        Vertex& v = m.vertices[kMoved];
        for (Vertex& partner : m.vertices)
            if (coincide(partner, v, m.coincidenceTolerance)) partner.normalDirty = true;
        v.z += 0.5f;
        m.normalsPending = true;
    };
    // Each on a log of its own: they are counted apart.
    Model m(::testing::TempDir() + "budget.Log"), before(::testing::TempDir() + "before.Log"),
        after(::testing::TempDir() + "after.Log");
    build(m);
    build(before);
    completeNormals(before);
    NormalsProgress progress;
    int frames = 0, passes = 0;
    auto frame = [&](int64_t budgetMs) {
        const int ran = recalculateNormalsWithin(m, progress, budgetMs);
        ASSERT_GE(ran, 1);
        passes += ran;
        ++frames;
    };
    // Bit for bit, and nothing left marked.
    auto expectNormalsOf = [&](auto referenceOf) {
        for (int32_t i = 0; i < vertexCount(m); ++i) {
            const Vec3 got = normalOf(m, i), want = normalOf(referenceOf(i), i);
            ASSERT_TRUE(got.x == want.x && got.y == want.y && got.z == want.z) << "vertex " << i;
            ASSERT_FALSE(m.vertices[i].normalDirty);
        }
    };
    // The sanitizers slow everything some tenfold: the frame's share grows with them, so the bound
    // counts what a frame keeps, not how fast the build is.
#if defined(__SANITIZE_ADDRESS__)
    constexpr int64_t kFrameMs = 200;
#else
    constexpr int64_t kFrameMs = 8;
#endif
    while (m.normalsPending && frames < 1000) frame(kFrameMs);
    EXPECT_LE(frames, 20); // about 5 on an idle machine; room for a loaded one, half of 40

    // Each pass logs as a pass on its own does; the normals are bit for bit the whole run's.
    EXPECT_EQ(logCount(m, kStart), passes);
    EXPECT_EQ(logCount(m, kStart), logCount(before, kStart));
    EXPECT_EQ(logCount(m, kStop), 1);
    EXPECT_EQ(m.lastNormalVertex, before.lastNormalVertex);
    expectNormalsOf([&](int32_t) -> const Model& { return before; });
    EXPECT_EQ(progress.run, nullptr); // let go once shaded

    // Again in short frames up to the middle of the grid, by then indexed; the edit; the rest.
    for (Vertex& v : m.vertices) v.normalDirty = true;
    m.normalsPending = true;
    const Vertex& middle = m.vertices[60000 + 3 * kQuads];
    while (m.normalsPending && middle.normalDirty && frames < 10000) frame(2);
    ASSERT_TRUE(m.normalsPending);
    edit(m);
    std::vector<bool> redone(m.vertices.size());
    for (std::size_t i = 0; i < redone.size(); ++i) redone[i] = m.vertices[i].normalDirty;
    while (m.normalsPending && frames < 10000) frame(kFrameMs);
    build(after);
    edit(after);
    completeNormals(after);
    EXPECT_EQ(logCount(m, kStart), passes);
    EXPECT_EQ(logCount(m, kStop), 2);
    EXPECT_EQ(m.lastNormalVertex, after.lastNormalVertex);
    // Vertices done before the edit keep what the old places gave, the others (the moved corner
    // too) have what the new places give.
    expectNormalsOf([&](int32_t i) -> const Model& { return redone[i] ? after : before; });
    EXPECT_EQ(progress.run, nullptr); // let go once shaded
    // Nothing pending: no pass and no log line. No budget: still the one pass a frame.
    EXPECT_EQ(recalculateNormalsWithin(m, progress, 8), 0);
    EXPECT_EQ(logCount(m, kStart), passes);
    Model one;
    build(one);
    EXPECT_EQ(recalculateNormalsWithin(one, progress, 0), 1);
    EXPECT_EQ(one.lastNormalVertex, 300);
}

TEST(Normals, DegenerateAndNonFiniteGeometryStaysFinite) {
    Model m;
    addTriangle(m, {0, 0, 0}, {1, 1, 1}, {2, 2, 2});  // flat, collinear
    addTriangle(m, {5, 5, 5}, {5, 5, 5}, {5, 5, 5});  // smooth, a point
    addTriangle(m, {9, 0, 0}, {10, 0, 0}, {9, 1, 0}); // smooth, +z ...
    addTriangle(m, {9, 0, 0}, {9, 1, 0}, {10, 0, 0}); // ... and -z on the same corners: sum 0
    addTriangle(m, {std::numeric_limits<float>::quiet_NaN(), 0, 0}, {20, 0, 0}, {20, 1, 0});
    addTriangle(m, {20, 0, 0}, {21, 0, 0}, {20, 1, 0}); // next to a NaN corner
    addMesh(m, 0, 1, false);
    addMesh(m, 3, 5, true);
    completeNormals(m);
    for (int i = 0; i < 12; ++i) expectNormal(m, i, 0, 0, 1);
    expectNormal(m, 12, 0, 0, 1); // the NaN corner itself matches nothing
    for (const Vertex& v : m.vertices)
        EXPECT_TRUE(std::isfinite(v.normalX) && std::isfinite(v.normalY) &&
                    std::isfinite(v.normalZ));
    // (20,0,0) sees the NaN triangle's zero normal and the good one: still +z.
    expectNormal(m, 15, 0, 0, 1);
}

TEST(Normals, MeshRangesNeverReadPastTheLastWholeTriangle) {
    Model m;
    for (int t = 0; t < 3; ++t)
        addTriangle(m, {0, 0, float(t)}, {1, 0, float(t)}, {0, 1, float(t)});
    Vertex extra;
    initVertex(extra);
    m.vertices.push_back(extra); // 10 vertices: the tenth is no triangle
    m.vertices.shrink_to_fit();
    addMesh(m, 0, 5, true);   // claims more triangles than exist
    addMesh(m, 3, 4, false);  // overlaps and runs off the end
    addMesh(m, -3, 4, true);  // negative start: nothing
    addMesh(m, 9, 1, false);  // starts on the partial triangle
    addMesh(m, 30, 2, true);  // past the end
    addMesh(m, 0, -2, false); // negative count
    completeNormals(m);
    for (int i = 0; i < 9; ++i) expectNormal(m, i, 0, 0, 1);
    EXPECT_TRUE(m.vertices[9].normalDirty);
    EXPECT_EQ(m.lastNormalVertex, 8);
}

TEST(CoincidentIndex, FindsExactlyWhatAPlainScanFinds) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        Model m;
        buildRandomModel(m, seed, 700);
        for (float tol : {0.05f, 0.013f, 0.0f}) {
            CoincidentIndex index;
            buildCoincidentIndex(index, m, 0, vertexCount(m), tol);
            // Built a few vertices at a time, as frames do, it finds the same.
            CoincidentIndexBuild sliced;
            startCoincidentIndex(sliced, m, 0, vertexCount(m), tol);
            while (!continueCoincidentIndex(sliced, m, 7)) {
            }
            std::vector<int32_t> found, plain;
            for (int32_t v = 0; v < vertexCount(m); ++v) {
                findCoincident(index, m.vertices[v], found);
                plain.clear();
                for (int32_t i = 0; i < vertexCount(m); ++i)
                    if (coincide(m.vertices[i], m.vertices[v], tol)) plain.push_back(i);
                ASSERT_EQ(found, plain) << "seed " << seed << " tol " << tol << " vertex " << v;
                findCoincident(sliced.index, m.vertices[v], found);
                ASSERT_EQ(found, plain) << "sliced, seed " << seed << " tol " << tol;
            }
        }
    }
}

TEST(Normals, IndexedPassMatchesPlainScanBitForBit) {
    for (unsigned seed = 11; seed <= 14; ++seed) {
        // Everything dirty, then only a scattered few (the scan-first path of small edits).
        Model m;
        buildRandomModel(m, seed, 1500);
        const std::vector<Vec3> complete = expectedNormals(m);
        completeNormals(m);
        EXPECT_TRUE(sameBits(m, complete)) << "seed " << seed;
        const int passes = logCount(m, kStart);
        EXPECT_GT(passes, 20);
        EXPECT_EQ(logCount(m, kStop), 1);
        const int32_t last = m.lastNormalVertex;
        for (int32_t i = seed; i < vertexCount(m); i += 97) m.vertices[i].normalDirty = true;
        m.vertices[1].x += 0.01f;
        const std::vector<Vec3> touched = expectedNormals(m);
        recalculateNormals(m);
        EXPECT_TRUE(sameBits(m, touched)) << "seed " << seed;

        // Separate passes give the same normals, log lines and last vertex as completeNormals.
        Model p;
        buildRandomModel(p, seed, 1500);
        int separate = 0;
        do recalculateNormals(p), ++separate;
        while (p.normalsPending && separate < 1000);
        EXPECT_EQ(separate, passes);
        EXPECT_EQ(logCount(p, kStart), passes);
        EXPECT_EQ(logCount(p, kStop), 1);
        EXPECT_EQ(p.lastNormalVertex, last);
        EXPECT_TRUE(sameBits(p, complete)) << "seed " << seed;
    }
}

} // namespace
