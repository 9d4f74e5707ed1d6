// Undo ring: step counts, round trips, what a snapshot holds, the bounded positions, the current
// mesh and triangle after a restore, and running out of memory part-way through a copy.
#include "edit/undo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

// Allocation failure on demand: once armed, the n-th allocation from then on throws, once.
namespace {
long failCountdown = -1; // -1: disarmed
bool failureFired = false;

void failAllocation(long n) {
    failureFired = false;
    failCountdown = n;
}
// Disarms; true when the armed failure was thrown.
bool disarmAllocationFailure() {
    failCountdown = -1;
    return failureFired;
}
} // namespace

void* operator new(std::size_t size) {
    if (failCountdown >= 0 && failCountdown-- == 0) {
        failureFired = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Kept out of line: once inlined next to a new, the compiler takes the free for a mismatch.
__attribute__((noinline)) void operator delete(void* p) noexcept {
    std::free(p);
}
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

// One material, one texture, one mesh of `triangles` triangles; vertex i at x = i.
void buildModel(Model& m, int triangles) {
    m.materials.assign(1, Material{});
    m.materials[0].name = "a material name too long to fit inside the string";
    m.materials[0].diffuseGreen = 0.25f;
    m.textures.assign(1, Texture{"./a texture file name that needs the heap.bmp", 7});
    m.vertices.assign(static_cast<std::size_t>(3 * triangles), Vertex{});
    for (int i = 0; i < 3 * triangles; ++i) m.vertices[i].x = static_cast<float>(i);
    m.meshes.assign(1, Mesh{});
    m.meshes[0].triangleCount = triangles;
}

// Edit k: vertex 0 moves to x = k and the only mesh gains one triangle.
void edit(Model& m, int k) {
    m.vertices[0].x = static_cast<float>(k);
    m.vertices.resize(m.vertices.size() + 3);
    m.meshes[0].triangleCount += 1;
}

// Everything a snapshot holds, as text, so that two states compare in one check.
std::string held(const Model& m) {
    std::ostringstream out;
    out << m.currentMaterial << '|';
    for (const Vertex& v : m.vertices)
        out << v.x << ',' << v.y << ',' << v.z << ',' << v.normalX << ',' << v.normalY << ','
            << v.normalZ << ',' << v.textureX << ',' << v.textureY << ',' << v.colourRed << ','
            << v.colourGreen << ',' << v.colourBlue << ',' << v.colourAlpha << ',' << v.selected
            << v.locked << ';';
    for (const Mesh& k : m.meshes)
        out << k.firstVertex << ',' << k.triangleCount << ',' << k.MaterialNumber << ',' << k.locked
            << k.smooth << k.trianglePins << ',' << k.centreX << ',' << k.centreY << ','
            << k.centreZ << ';';
    for (const Material& k : m.materials)
        out << k.name << ',' << k.diffuseGreen << ',' << k.TextureIndex << ',' << k.EnableBlend
            << ';';
    for (const Texture& t : m.textures) out << t.fileName << ',' << t.glTexture << ';';
    return out.str();
}

std::string readLog(const Model& m) {
    std::ifstream in(m.log.path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Undo, TenStepsBackFromElevenEditsAndForwardAgain) {
    Model m;
    setupUndo(m, 10);
    buildModel(m, 1);
    for (int k = 1; k <= 11; ++k) {
        takeSnapshot(m);
        edit(m, k);
    }
    // undo j gives the state before edit 12 - j: x = 11 - j, 1 + 11 - j triangles
    for (int j = 1; j <= 10; ++j) {
        undo(m);
        EXPECT_EQ(m.vertices[0].x, static_cast<float>(11 - j)) << j;
        EXPECT_EQ(triangleCount(m), 12 - j) << j;
        EXPECT_EQ(m.meshes[0].triangleCount, 12 - j) << j;
    }
    // the eleventh finds nothing older and changes nothing
    undo(m);
    EXPECT_EQ(m.vertices[0].x, 1.0f);
    EXPECT_EQ(triangleCount(m), 2);
    EXPECT_FALSE(m.undo.canUndo);
    // ten redos come back to the newest state, including the one never snapshotted
    for (int j = 1; j <= 10; ++j) redo(m);
    EXPECT_EQ(m.vertices[0].x, 11.0f);
    EXPECT_EQ(triangleCount(m), 12);
    EXPECT_FALSE(m.undo.canRedo);
    redo(m);
    EXPECT_EQ(m.vertices[0].x, 11.0f);
}

TEST(Undo, RedoRules) {
    Model m;
    setupUndo(m, 10);
    buildModel(m, 2);
    takeSnapshot(m);
    edit(m, 5);
    m.vertices[1].normalY = 1;
    m.vertices[2].selected = true;
    m.materials.push_back(Material{});
    m.currentMaterial = 1;
    m.textures.push_back(Texture{"./b.bmp", 9});
    m.meshes.push_back(Mesh{});
    m.meshes[1].centreX = 4;

    // redo with nothing undone does nothing
    redo(m);
    EXPECT_EQ(m.vertices[0].x, 5.0f);
    EXPECT_EQ(m.undo.position, 1);

    // undo then redo returns exactly to the state before the undo
    const std::string before = held(m);
    undo(m);
    EXPECT_EQ(m.vertices[0].x, 0.0f);
    EXPECT_EQ(meshCount(m), 1);
    EXPECT_EQ(m.currentMaterial, 0);
    redo(m);
    EXPECT_EQ(held(m), before);
    EXPECT_FALSE(m.undo.canRedo);

    // an edit after an undo drops the state that could have been redone
    undo(m);
    takeSnapshot(m);
    edit(m, 8);
    redo(m);
    EXPECT_EQ(m.vertices[0].x, 8.0f);
    EXPECT_EQ(meshCount(m), 1);
    undo(m);
    EXPECT_EQ(m.vertices[0].x, 0.0f);
}

TEST(Undo, RestoresSelectionAndLocksWithEveryMeshVisible) {
    Model m;
    setupUndo(m, 10);
    buildModel(m, 2);
    m.meshes.push_back(Mesh{});
    m.meshes[0].triangleCount = 1;
    m.meshes[1].firstVertex = 3, m.meshes[1].triangleCount = 1;
    m.vertices[0].selected = true;
    m.vertices[4].locked = true;
    m.meshes[1].locked = true;
    m.meshes[1].hidden = true;
    takeSnapshot(m);
    // hide-all style edit: everything hidden, locked, deselected
    for (Vertex& v : m.vertices) v.selected = false, v.locked = true, v.picked = true;
    for (Mesh& mesh : m.meshes) mesh.hidden = true, mesh.locked = true, mesh.pinHovered = true;
    undo(m);
    EXPECT_TRUE(m.vertices[0].selected);
    EXPECT_FALSE(m.vertices[1].selected);
    EXPECT_TRUE(m.vertices[4].locked);
    EXPECT_FALSE(m.vertices[0].locked);
    EXPECT_FALSE(m.meshes[0].locked);
    EXPECT_TRUE(m.meshes[1].locked);
    for (const Mesh& mesh : m.meshes) EXPECT_FALSE(mesh.hidden || mesh.pinHovered);
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.picked);
}

TEST(Undo, NormalsPendingAtTheSnapshotAreRecalculatedAfterTheUndo) {
    Model m;
    setupUndo(m, 10);
    buildModel(m, 1);
    // the snapshot is taken while the vertex still waits for its new normal
    m.vertices[2].normalDirty = true;
    m.vertices[2].normalZ = 0.0f;
    takeSnapshot(m);
    for (Vertex& v : m.vertices) v.normalDirty = false;
    undo(m);
    EXPECT_TRUE(m.vertices[2].normalDirty);
    EXPECT_TRUE(m.normalsPending);
}

TEST(Undo, PositionsStayBoundedOverManySnapshots) {
    Model m;
    setupUndo(m, 3); // four slots, positions kept below 16
    buildModel(m, 1);
    for (int k = 1; k <= 50; ++k) {
        takeSnapshot(m);
        edit(m, k);
        EXPECT_LT(m.undo.position, 16) << k;
        EXPECT_EQ(m.undo.position, m.undo.top) << k;
        if (k % 7 == 0) {
            // a step back and forth across wherever the counters stand
            undo(m);
            EXPECT_EQ(m.vertices[0].x, static_cast<float>(k - 1)) << k;
            redo(m);
            EXPECT_EQ(m.vertices[0].x, static_cast<float>(k)) << k;
        }
    }
    // three steps back, then the ring is exhausted
    for (int j = 1; j <= 3; ++j) {
        undo(m);
        EXPECT_EQ(m.vertices[0].x, static_cast<float>(50 - j)) << j;
    }
    undo(m);
    EXPECT_EQ(m.vertices[0].x, 47.0f);
    for (int j = 1; j <= 3; ++j) redo(m);
    EXPECT_EQ(m.vertices[0].x, 50.0f);
}

TEST(Undo, OffOrWithoutSlotsDoesNothing) {
    for (int count : {0, 500, -1}) {
        Model m;
        setupUndo(m, count);
        EXPECT_FALSE(m.undoEnabled) << count;
        EXPECT_TRUE(m.undo.slots.empty()) << count;
        // even when the option is switched on, there is nowhere to keep a state
        m.undoEnabled = true;
        buildModel(m, 1);
        takeSnapshot(m);
        edit(m, 3);
        undo(m);
        redo(m);
        EXPECT_EQ(m.vertices[0].x, 3.0f) << count;
        EXPECT_EQ(m.undo.position, 0) << count;
        EXPECT_FALSE(m.undo.canUndo) << count;
    }
    // a ring that exists but is switched off keeps nothing
    Model m;
    setupUndo(m, 2);
    EXPECT_EQ(m.undo.slots.size(), 3u);
    m.undoEnabled = false;
    buildModel(m, 1);
    takeSnapshot(m);
    edit(m, 3);
    m.undoEnabled = true;
    undo(m);
    EXPECT_EQ(m.vertices[0].x, 3.0f);
    // setting up again empties a used ring
    takeSnapshot(m);
    setupUndo(m, 2);
    EXPECT_EQ(m.undo.position, 0);
    EXPECT_FALSE(m.undo.canUndo);
}

TEST(Undo, CopyHoldsRecordsButNotDrawingOrEditorState) {
    Model from, to;
    buildModel(from, 2);
    Vertex& f = from.vertices[1];
    f.x = 1, f.y = 2, f.z = 3;
    f.normalX = 0.36f, f.normalY = 0.48f, f.normalZ = 0.8f;
    f.textureX = 0.25f, f.textureY = 0.75f;
    f.colourRed = 0.1f, f.colourGreen = 0.2f, f.colourBlue = 0.3f, f.colourAlpha = 1;
    f.selected = f.locked = f.picked = f.normalDirty = f.pinHovered = true;
    from.vertices[0].normalDirty = false;
    from.meshes[0].MaterialNumber = 2, from.meshes[0].smooth = from.meshes[0].trianglePins = true;
    from.meshes[0].centreX = 0.5f, from.meshes[0].centreY = 1.5f, from.meshes[0].centreZ = 2.5f;
    from.meshes[0].pinX = 3, from.meshes[0].largestHalfExtent = 2;
    from.meshes[0].hidden = from.meshes[0].pinHovered = from.meshes[0].locked = true;
    from.currentMaterial = 3, from.currentMesh = 1, from.currentTriangle = 3;
    from.fileName = "from.fw2", from.centreX = 9, from.fineMode = true;
    // a list of another size and one of the right size with room to spare both end up exact
    to.meshes.resize(5);
    to.vertices.reserve(64);
    to.vertices.resize(from.vertices.size());
    to.fileName = "to.fw2";

    copyModelState(to, from);
    EXPECT_EQ(held(to), held(from));
    EXPECT_EQ(to.vertices.capacity(), to.vertices.size());
    EXPECT_EQ(to.meshes.capacity(), to.meshes.size());
    // normals kept (with a pending recalculation), but drawing and pick state dropped
    const Vertex& v = to.vertices[1];
    EXPECT_EQ(v.normalZ, 0.8f);
    EXPECT_TRUE(v.normalDirty);
    EXPECT_FALSE(to.vertices[0].normalDirty);
    EXPECT_FALSE(v.picked || v.pinHovered);
    const Mesh& mesh = to.meshes[0];
    EXPECT_FALSE(mesh.hidden || mesh.pinHovered);
    EXPECT_EQ(mesh.pinX, 0.0f);
    EXPECT_EQ(mesh.largestHalfExtent, 0.0f);
    // the model's own settings stay
    EXPECT_EQ(to.fileName, "to.fw2");
    EXPECT_EQ(to.currentMesh, 0);
    EXPECT_EQ(to.currentTriangle, 0);
    EXPECT_EQ(to.centreX, 0.0f);
    EXPECT_FALSE(to.fineMode);
}

TEST(Undo, CurrentMeshAndTriangleStayInsideTheRestoredModel) {
    Model m;
    setupUndo(m, 10);
    buildModel(m, 2); // one mesh, two triangles
    takeSnapshot(m);
    for (int k = 0; k < 3; ++k) edit(m, k);
    m.meshes.resize(3);
    m.currentMesh = 2;
    m.currentTriangle = 12; // the fifth triangle
    undo(m);
    EXPECT_EQ(m.currentMesh, 0);
    EXPECT_EQ(m.currentTriangle, 3); // the last whole triangle
    // indices already inside the restored model are left alone by redo
    redo(m);
    EXPECT_EQ(m.currentMesh, 0);
    EXPECT_EQ(m.currentTriangle, 3);

    // a state with a partial triangle and no meshes
    m.vertices.resize(4);
    m.meshes.clear();
    takeSnapshot(m);
    buildModel(m, 6);
    m.meshes.resize(2);
    m.currentMesh = 1, m.currentTriangle = 15;
    undo(m);
    EXPECT_EQ(m.currentMesh, 0);
    EXPECT_EQ(m.currentTriangle, 0);

    // an empty state
    m.vertices.clear();
    takeSnapshot(m);
    buildModel(m, 3);
    m.currentTriangle = 6;
    undo(m);
    EXPECT_EQ(m.currentTriangle, 0);
}

// Fails allocation n = 0, 1, 2, ... of `step` in turn until the step gets through; `check` runs
// after every failed attempt. Returns how many attempts failed.
template <typename Step, typename Check> int failEachAllocation(Step step, Check check) {
    int failures = 0;
    for (long n = 0;; ++n) {
        failAllocation(n);
        step();
        if (!disarmAllocationFailure()) return failures;
        ++failures;
        check(n);
    }
}

TEST(Undo, RunningOutOfMemoryLeavesTheRingAsItWas) {
    Model m;
    setupUndo(m, 1); // two slots
    buildModel(m, 2);
    edit(m, 1);
    takeSnapshot(m); // slot 0: x = 1
    edit(m, 2);
    takeSnapshot(m); // slot 1: x = 2
    edit(m, 3);
    undo(m); // slot 0 keeps x = 3 (5 triangles); back to x = 2 at position 1
    edit(m, 7);
    const std::string oldName = m.materials[0].name;
    m.materials[0].name = "a different material name, also on the heap";
    m.vertices[0].picked = true;
    const UndoSnapshot& slot0 = *m.undo.slots[0];
    const UndoSnapshot& slot1 = *m.undo.slots[1];
    ASSERT_EQ(slot1.vertices[0].x, 2.0f);
    ASSERT_EQ(static_cast<int32_t>(slot1.vertices.size()), 12);

    // A snapshot into a slot of another size: every failure leaves slot and ring untouched.
    int failures = failEachAllocation([&] { takeSnapshot(m); },
                                      [&](long n) {
                                          EXPECT_EQ(m.undo.position, 1) << n;
                                          EXPECT_EQ(m.undo.top, 2) << n;
                                          EXPECT_TRUE(m.undo.canUndo) << n;
                                          EXPECT_TRUE(m.undo.canRedo) << n;
                                          EXPECT_EQ(slot1.vertices[0].x, 2.0f) << n;
                                          EXPECT_EQ(static_cast<int32_t>(slot1.vertices.size()), 12)
                                              << n;
                                          EXPECT_EQ(slot1.materials.at(0).name, oldName) << n;
                                          EXPECT_TRUE(m.vertices[0].picked) << n;
                                      });
    // material list, its name, texture list, its file name, vertex list
    EXPECT_GE(failures, 5);
    EXPECT_NE(readLog(m).find("ERROR: Not enough memory for an undo snapshot"), std::string::npos);
    // the last attempt got through and dropped the state that could have been redone
    EXPECT_EQ(m.undo.position, 2);
    EXPECT_EQ(m.undo.top, 2);
    EXPECT_FALSE(m.undo.canRedo);
    EXPECT_EQ(slot1.vertices[0].x, 7.0f);
    EXPECT_EQ(slot1.materials[0].name, m.materials[0].name);

    // A slot of the same size is overwritten in place, but only once nothing else can fail.
    ASSERT_EQ(static_cast<int32_t>(slot0.vertices.size()), vertexCount(m));
    m.vertices[0].x = 8;
    m.materials[0].name = "a third material name, longer than the string's own room";
    failures = failEachAllocation([&] { takeSnapshot(m); },
                                  [&](long n) {
                                      EXPECT_EQ(m.undo.position, 2) << n;
                                      EXPECT_EQ(slot0.vertices[0].x, 3.0f) << n;
                                      EXPECT_EQ(slot0.materials.at(0).name, oldName) << n;
                                  });
    EXPECT_GE(failures, 4);
    EXPECT_EQ(m.undo.position, 3);
    EXPECT_EQ(slot0.vertices[0].x, 8.0f);
    EXPECT_EQ(slot0.vertices.capacity(), slot0.vertices.size());
    EXPECT_EQ(slot0.materials[0].name, m.materials[0].name);

    // An undo that runs out of memory leaves the model and the positions where they were.
    edit(m, 4);
    m.materials[0].name = "the present name";
    failures = failEachAllocation([&] { undo(m); },
                                  [&](long n) {
                                      EXPECT_EQ(m.vertices[0].x, 4.0f) << n;
                                      EXPECT_EQ(m.materials[0].name, "the present name") << n;
                                      EXPECT_EQ(m.undo.position, 3) << n;
                                      EXPECT_FALSE(m.undo.canRedo) << n;
                                  });
    EXPECT_GE(failures, 8);
    EXPECT_EQ(m.vertices[0].x, 8.0f);
    EXPECT_EQ(m.materials[0].name, slot0.materials[0].name);
    EXPECT_NE(readLog(m).find("ERROR: Not enough memory to undo"), std::string::npos);

    // So does a redo, and it sets nothing it should not.
    undo(m); // two slots: nothing older is left
    EXPECT_FALSE(m.undo.canUndo);
    failures = failEachAllocation([&] { redo(m); },
                                  [&](long n) {
                                      EXPECT_EQ(m.vertices[0].x, 8.0f) << n;
                                      EXPECT_EQ(m.undo.position, 2) << n;
                                      EXPECT_FALSE(m.undo.canUndo) << n;
                                      EXPECT_TRUE(m.undo.canRedo) << n;
                                  });
    EXPECT_GE(failures, 4);
    EXPECT_EQ(m.vertices[0].x, 4.0f);
    EXPECT_EQ(m.materials[0].name, "the present name");
    EXPECT_NE(readLog(m).find("ERROR: Not enough memory to redo"), std::string::npos);
}
