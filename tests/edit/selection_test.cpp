// Selection and locks: flag operations, picking in the three planes, rectangles, derived notions.
#include "edit/selection.h"

#include "edit/normals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Two meshes: mesh 0 holds triangles 0 and 1 (vertices 0-5), mesh 1 triangle 2 (vertices 6-8).
// Vertex i sits at (i, 2i, 3i), so every plane sees every vertex at its own place.
void twoMeshes(Model& m) {
    m.vertices.assign(9, Vertex{});
    for (int i = 0; i < 9; ++i) {
        m.vertices[i].x = static_cast<float>(i);
        m.vertices[i].y = static_cast<float>(2 * i);
        m.vertices[i].z = static_cast<float>(3 * i);
    }
    m.meshes.assign(2, Mesh{});
    m.meshes[0].firstVertex = 0, m.meshes[0].triangleCount = 2;
    m.meshes[1].firstVertex = 6, m.meshes[1].triangleCount = 1;
}

// One character per flag, so a whole model's flags compare in one check.
std::string flags(const Model& m) {
    std::string s;
    for (const Vertex& v : m.vertices) {
        s += v.selected ? 'S' : '-';
        s += v.picked ? 'P' : '-';
        s += v.locked ? 'L' : '-';
        s += v.normalDirty ? 'D' : '-';
    }
    s += '|';
    for (const Mesh& k : m.meshes) {
        s += k.locked ? 'L' : '-';
        s += k.hidden ? 'H' : '-';
        s += k.smooth ? 'S' : '-';
        s += k.trianglePins ? 'T' : '-';
    }
    return s;
}

std::string bits(const Model& m, bool Vertex::*flag) {
    std::string s;
    for (const Vertex& v : m.vertices) s += v.*flag ? '1' : '0';
    return s;
}
std::string selected(const Model& m) {
    return bits(m, &Vertex::selected);
}
std::string picked(const Model& m) {
    return bits(m, &Vertex::picked);
}
std::string locked(const Model& m) {
    return bits(m, &Vertex::locked);
}

void setSelected(Model& m, const std::string& bits) {
    for (size_t i = 0; i < bits.size(); ++i) m.vertices[i].selected = bits[i] == '1';
}

// A 2 x 2 pick square around plane position (h, w).
bool click(Model& m, float h, float w, Plane plane, bool shift, bool ctrl) {
    return pick(m, h - 1, w - 1, h + 1, w + 1, plane, shift || ctrl, true, ctrl);
}

bool hover(Model& m, float h, float w, Plane plane) {
    return pick(m, h - 1, w - 1, h + 1, w + 1, plane, false, false, false);
}

// Every operation that works on the current mesh or the current triangle.
void currentOperations(Model& m) {
    toggleHiddenCurrentMesh(m);
    selectCurrentMeshOnly(m);
    addCurrentMeshToSelection(m);
    removeCurrentMeshFromSelection(m);
    toggleSmoothCurrentMesh(m);
    toggleTrianglePinsCurrentMesh(m);
    lockCurrentTriangle(m);
    unlockCurrentTriangle(m);
    selectCurrentTriangleOnly(m);
    addCurrentTriangle(m);
    removeCurrentTriangle(m);
}

} // namespace

TEST(Selection, WholeModelFlags) {
    Model m;
    twoMeshes(m);
    hideAllMeshes(m);
    // select all reaches hidden and locked vertices
    selectAllVertices(m);
    EXPECT_EQ(selected(m), "111111111");
    selectNone(m);
    EXPECT_EQ(selected(m), "000000000");
    // lock and unlock selected act on the selected vertices only
    unlockAllMeshes(m);
    setSelected(m, "110000001");
    lockSelectedVertices(m);
    EXPECT_EQ(locked(m), "110000001");
    setSelected(m, "010000000");
    unlockSelectedVertices(m);
    EXPECT_EQ(locked(m), "100000001");
}

TEST(Selection, MeshLocksAndVisibility) {
    Model m;
    twoMeshes(m);
    // locking a mesh locks it and its own vertices only
    lockMesh(m, 1);
    EXPECT_EQ(locked(m), "000000111");
    EXPECT_TRUE(m.meshes[1].locked);
    EXPECT_FALSE(m.meshes[0].locked);
    unlockMesh(m, 1);
    EXPECT_EQ(locked(m), "000000000");
    EXPECT_FALSE(m.meshes[1].locked);
    lockAllMeshes(m);
    EXPECT_EQ(locked(m), "111111111");
    EXPECT_TRUE(m.meshes[0].locked && m.meshes[1].locked);
    unlockAllMeshes(m);
    EXPECT_EQ(locked(m), "000000000");
    // hide twice: visible again but still locked
    m.currentMesh = 0;
    toggleHiddenCurrentMesh(m);
    EXPECT_TRUE(m.meshes[0].hidden);
    EXPECT_EQ(locked(m), "111111000");
    toggleHiddenCurrentMesh(m);
    EXPECT_FALSE(m.meshes[0].hidden);
    EXPECT_TRUE(m.meshes[0].locked);
    EXPECT_EQ(locked(m), "111111000");
    // hide all locks everything; show all unlocks, including a mesh the user locked while visible
    hideAllMeshes(m);
    EXPECT_TRUE(m.meshes[0].hidden && m.meshes[1].hidden);
    EXPECT_EQ(locked(m), "111111111");
    showAllMeshes(m);
    EXPECT_FALSE(m.meshes[0].hidden || m.meshes[1].hidden);
    lockMesh(m, 1);
    showAllMeshes(m);
    EXPECT_EQ(locked(m), "000000000");
    EXPECT_FALSE(m.meshes[1].locked);
}

TEST(Selection, CurrentMeshAndTriangle) {
    Model m;
    twoMeshes(m);
    // this mesh only replaces the selection
    setSelected(m, "100000001");
    m.currentMesh = 1;
    selectCurrentMeshOnly(m);
    EXPECT_EQ(selected(m), "000000111");
    m.currentMesh = 0;
    addCurrentMeshToSelection(m);
    EXPECT_EQ(selected(m), "111111111");
    m.currentMesh = 1;
    removeCurrentMeshFromSelection(m);
    EXPECT_EQ(selected(m), "111111000");
    // triangle tools act on the three vertices of the current triangle
    m.currentTriangle = 3;
    lockCurrentTriangle(m);
    EXPECT_EQ(locked(m), "000111000");
    unlockCurrentTriangle(m);
    EXPECT_EQ(locked(m), "000000000");
    selectCurrentTriangleOnly(m);
    EXPECT_EQ(selected(m), "000111000");
    m.currentTriangle = 6;
    addCurrentTriangle(m);
    EXPECT_EQ(selected(m), "000111111");
    m.currentTriangle = 3;
    removeCurrentTriangle(m);
    EXPECT_EQ(selected(m), "000000111");
}

TEST(Selection, SmoothAndPinTogglesRecalculate) {
    Model m;
    // two triangles folded along the edge (0,0,0)-(1,0,0): flat normals +z and +y
    m.vertices.assign(6, Vertex{});
    const float p[6][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}};
    for (int i = 0; i < 6; ++i)
        m.vertices[i].x = p[i][0], m.vertices[i].y = p[i][1], m.vertices[i].z = p[i][2];
    m.meshes.assign(1, Mesh{});
    m.meshes[0].triangleCount = 2;
    recalculateNormals(m);
    ASSERT_FLOAT_EQ(m.vertices[0].normalZ, 1.0f);
    // smooth: the clean vertices are marked again, so the shared corner averages at once
    toggleSmoothCurrentMesh(m);
    EXPECT_TRUE(m.meshes[0].smooth);
    EXPECT_FALSE(m.vertices[0].normalDirty);
    EXPECT_NEAR(m.vertices[0].normalY, std::sqrt(0.5f), 1e-5);
    EXPECT_NEAR(m.vertices[0].normalZ, std::sqrt(0.5f), 1e-5);
    toggleSmoothCurrentMesh(m);
    EXPECT_FALSE(m.meshes[0].smooth);
    EXPECT_FLOAT_EQ(m.vertices[0].normalZ, 1.0f);
    // triangle pins flips and runs the pass over pending work
    m.vertices[4].normalDirty = true;
    toggleTrianglePinsCurrentMesh(m);
    EXPECT_TRUE(m.meshes[0].trianglePins);
    EXPECT_FALSE(m.vertices[4].normalDirty);
    toggleTrianglePinsCurrentMesh(m);
    EXPECT_FALSE(m.meshes[0].trianglePins);
}

TEST(Selection, FrontClickRules) {
    Model m;
    twoMeshes(m);
    // a plain click makes the hit vertex the only selected one
    setSelected(m, "100000001");
    EXPECT_TRUE(click(m, 4, 8, PlaneFront, false, false));
    EXPECT_EQ(selected(m), "000010000");
    // Shift adds an unselected vertex
    EXPECT_TRUE(click(m, 6, 12, PlaneFront, true, false));
    EXPECT_EQ(selected(m), "000010100");
    // a plain click on an already selected vertex keeps the whole selection
    EXPECT_TRUE(click(m, 4, 8, PlaneFront, false, false));
    EXPECT_EQ(selected(m), "000010100");
    // Ctrl deselects a selected vertex in the Front view and keeps the rest
    EXPECT_TRUE(click(m, 4, 8, PlaneFront, false, true));
    EXPECT_EQ(selected(m), "000000100");
    // ... and selects an unselected one
    EXPECT_TRUE(click(m, 1, 2, PlaneFront, false, true));
    EXPECT_EQ(selected(m), "010000100");
    // a plain click on nothing clears the selection
    EXPECT_FALSE(click(m, 100, 100, PlaneFront, false, false));
    EXPECT_EQ(selected(m), "000000000");
    EXPECT_EQ(picked(m), "000000000");
}

TEST(Selection, PickPlanes) {
    Model m;
    twoMeshes(m);
    // Top shows (x, -z): vertex 2 at (2, -6); (2, 6) holds nothing there
    EXPECT_FALSE(click(m, 2, 6, PlaneTop, false, false));
    EXPECT_TRUE(click(m, 2, -6, PlaneTop, false, false));
    EXPECT_EQ(selected(m), "001000000");
    // Left shows (z, y): vertex 3 at (9, 6)
    EXPECT_TRUE(click(m, 9, 6, PlaneLeft, false, false));
    EXPECT_EQ(selected(m), "000100000");
    // Ctrl in Top and Left selects rather than flips, and adds
    EXPECT_TRUE(click(m, 9, 6, PlaneLeft, false, true));
    EXPECT_TRUE(click(m, 5, -15, PlaneTop, false, true));
    EXPECT_EQ(selected(m), "000101000");
    // the cursor helper sees the same coordinates
    float h = 0, w = 0;
    planeCoordinates(m.vertices[5], PlaneTop, h, w);
    EXPECT_EQ(h, 5.0f);
    EXPECT_EQ(w, -15.0f);
    planeCoordinates(m.vertices[5], PlaneLeft, h, w);
    EXPECT_EQ(h, 15.0f);
    EXPECT_EQ(w, 10.0f);
    // an unknown plane hits nothing and changes nothing
    const std::string before = flags(m);
    EXPECT_FALSE(pick(m, -100, -100, 100, 100, static_cast<Plane>(3), false, true, false));
    rectangleSelect(m, -100, -100, 100, 100, PlaneNone, false, false);
    EXPECT_EQ(flags(m), before);
}

TEST(Selection, PickBordersCoincidenceAndLastPicked) {
    Model m;
    twoMeshes(m);
    // vertex 1 at (1, 2): exactly on an edge of the square is outside, on either side
    EXPECT_FALSE(pick(m, 1, 1, 3, 3, PlaneFront, false, true, false));
    EXPECT_FALSE(pick(m, 0, 2, 2, 4, PlaneFront, false, true, false));
    // corners may come in any order
    EXPECT_TRUE(pick(m, 2, 3, 0, 1, PlaneFront, false, true, false));
    EXPECT_EQ(selected(m), "010000000");
    // corners of adjacent triangles at one place are both hit; the later one gives the position
    m.vertices[7].x = 1, m.vertices[7].y = 2, m.vertices[7].z = -4;
    EXPECT_TRUE(click(m, 1, 2, PlaneFront, false, false));
    EXPECT_EQ(selected(m), "010000010");
    EXPECT_EQ(picked(m), "010000010");
    EXPECT_EQ(m.lastPickedX, 1.0f);
    EXPECT_EQ(m.lastPickedY, 2.0f);
    EXPECT_EQ(m.lastPickedZ, -4.0f);
}

TEST(Selection, HoverLeavesSelection) {
    Model m;
    twoMeshes(m);
    setSelected(m, "100000001");
    EXPECT_TRUE(hover(m, 3, 6, PlaneFront));
    EXPECT_EQ(selected(m), "100000001");
    EXPECT_EQ(picked(m), "000100000");
    EXPECT_EQ(m.lastPickedZ, 9.0f);
    // a hover over nothing clears picked flags and keeps the last picked position
    EXPECT_FALSE(hover(m, 50, 50, PlaneFront));
    EXPECT_EQ(picked(m), "000000000");
    EXPECT_EQ(selected(m), "100000001");
    EXPECT_EQ(m.lastPickedX, 3.0f);
    // a hover over a selected vertex does not make the click-and-keep rule apply either
    EXPECT_TRUE(pick(m, -1, -1, 1, 1, PlaneFront, false, false, true));
    EXPECT_EQ(selected(m), "100000001");
}

TEST(Selection, RectangleSelect) {
    Model m;
    twoMeshes(m);
    m.vertices[4].picked = true;
    // plain: the selection becomes what is strictly inside; (2, 4) and (5, 10) lie on corners
    setSelected(m, "100000001");
    rectangleSelect(m, 5, 10, 2, 4, PlaneFront, false, false);
    EXPECT_EQ(selected(m), "000110000");
    // Shift adds
    rectangleSelect(m, 6.5f, 11, 7.5f, 15, PlaneFront, true, false);
    EXPECT_EQ(selected(m), "000110010");
    // Ctrl and Shift in Front flip what is inside
    rectangleSelect(m, 3.5f, 0, 6.5f, 20, PlaneFront, true, true);
    EXPECT_EQ(selected(m), "000101110");
    // Ctrl without Shift in Front clears first, so the inside ends up selected
    rectangleSelect(m, 3.5f, 0, 6.5f, 20, PlaneFront, false, true);
    EXPECT_EQ(selected(m), "000011100");
    // Ctrl in Top selects rather than flips: (x, -z) of vertices 4 to 6
    rectangleSelect(m, 3.5f, -20, 6.5f, -10, PlaneTop, true, true);
    EXPECT_EQ(selected(m), "000011100");
    // Left: (z, y) of vertices 0 and 1
    rectangleSelect(m, -1, -1, 4, 3, PlaneLeft, false, false);
    EXPECT_EQ(selected(m), "110000000");
    // picked flags are never touched
    EXPECT_EQ(picked(m), "000010000");
}

TEST(Selection, DerivedNotions) {
    Model m;
    twoMeshes(m);
    setSelected(m, "111011111");
    // a triangle needs all three selected and none locked
    EXPECT_TRUE(triangleSelectedForEditing(m, 0));
    EXPECT_FALSE(triangleSelectedForEditing(m, 3));
    m.vertices[7].locked = true;
    EXPECT_FALSE(triangleSelectedForEditing(m, 6));
    EXPECT_FALSE(triangleSelectedForEditing(m, 1));
    EXPECT_FALSE(triangleSelectedForEditing(m, 9));
    EXPECT_FALSE(triangleSelectedForEditing(m, -3));
    // meshes: every vertex selected; locks do not matter; an empty mesh counts as selected
    EXPECT_FALSE(meshSelected(m, 0));
    EXPECT_TRUE(meshSelected(m, 1));
    m.meshes.push_back(Mesh{});
    EXPECT_TRUE(meshSelected(m, 2));
    EXPECT_FALSE(meshSelected(m, 3));
    EXPECT_FALSE(meshSelected(m, -1));
    // edges: both ends selected and in the array
    EXPECT_TRUE(edgeSelected(m, 0, 1));
    EXPECT_FALSE(edgeSelected(m, 2, 3));
    EXPECT_FALSE(edgeSelected(m, 8, 9));
    EXPECT_FALSE(edgeSelected(m, -1, 0));
}

TEST(Selection, HoveredPinsAndMouse) {
    Model m;
    twoMeshes(m);
    EXPECT_EQ(firstHoveredMesh(m), -1);
    EXPECT_EQ(firstHoveredTriangle(m), -1);
    m.meshes[1].pinHovered = true;
    EXPECT_EQ(firstHoveredMesh(m), 1);
    // only the first vertex of a triangle carries its pin
    m.vertices[4].pinHovered = true;
    EXPECT_EQ(firstHoveredTriangle(m), -1);
    m.vertices[6].pinHovered = true;
    m.vertices[3].pinHovered = true;
    EXPECT_EQ(firstHoveredTriangle(m), 3);
    // a trailing partial triangle has no pin
    m.vertices.assign(10, Vertex{});
    m.vertices[9].pinHovered = true;
    EXPECT_EQ(firstHoveredTriangle(m), -1);
    storeMouse(m, 30, 100, 480);
    EXPECT_EQ(m.mouseX, 30.0f);
    EXPECT_EQ(m.mouseY, 380.0f);
}

TEST(Selection, TextureOfSelection) {
    Model m;
    twoMeshes(m);
    m.textures.resize(2);
    m.textures[0].glTexture = 11;
    m.textures[1].glTexture = 22;
    m.materials.resize(2);
    m.materials[0].TextureIndex = 1;
    m.materials[1].TextureIndex = 0;
    m.meshes[1].MaterialNumber = 1;
    // nothing selected
    EXPECT_EQ(textureOfSelection(m), 0u);
    // the first selected vertex in vertex order decides
    setSelected(m, "000001010");
    EXPECT_EQ(textureOfSelection(m), 22u);
    setSelected(m, "000000010");
    EXPECT_EQ(textureOfSelection(m), 11u);
    // a material or texture index outside its array gives 0
    m.meshes[1].MaterialNumber = 2;
    EXPECT_EQ(textureOfSelection(m), 0u);
    m.meshes[1].MaterialNumber = -1;
    EXPECT_EQ(textureOfSelection(m), 0u);
    m.meshes[1].MaterialNumber = 1;
    m.materials[1].TextureIndex = 2;
    EXPECT_EQ(textureOfSelection(m), 0u);
    m.materials[1].TextureIndex = -1;
    EXPECT_EQ(textureOfSelection(m), 0u);
    // a selected vertex outside every mesh gives 0
    m.materials[1].TextureIndex = 0;
    ASSERT_EQ(textureOfSelection(m), 11u);
    m.meshes[1].triangleCount = 0;
    EXPECT_EQ(textureOfSelection(m), 0u);
}

TEST(Selection, EmptyModelsAreSafe) {
    // no meshes and no vertices, then meshes but no vertices
    for (int meshes = 0; meshes < 2; ++meshes) {
        Model m;
        m.meshes.assign(meshes, Mesh{});
        if (meshes) m.meshes[0].triangleCount = 4;
        selectAllVertices(m);
        selectNone(m);
        lockSelectedVertices(m);
        unlockSelectedVertices(m);
        lockMesh(m, 0);
        unlockMesh(m, 0);
        lockAllMeshes(m);
        hideAllMeshes(m);
        showAllMeshes(m);
        unlockAllMeshes(m);
        currentOperations(m);
        EXPECT_FALSE(pick(m, -1, -1, 1, 1, PlaneFront, false, true, false));
        rectangleSelect(m, -1, -1, 1, 1, PlaneFront, false, false);
        EXPECT_FALSE(triangleSelectedForEditing(m, 0));
        EXPECT_EQ(meshSelected(m, 0), meshes == 1); // no vertices to miss
        EXPECT_FALSE(edgeSelected(m, 0, 1));
        EXPECT_EQ(firstHoveredMesh(m), -1);
        EXPECT_EQ(firstHoveredTriangle(m), -1);
        EXPECT_EQ(textureOfSelection(m), 0u);
        // the one mesh still took its flag toggles
        if (meshes) {
            EXPECT_TRUE(m.meshes[0].hidden && m.meshes[0].smooth && m.meshes[0].trianglePins);
        }
    }
}

TEST(Selection, BadCurrentIndicesChangeNothing) {
    Model m;
    twoMeshes(m);
    setSelected(m, "100100001");
    m.vertices[2].locked = true;
    const std::string before = flags(m);
    // current mesh before, past the end of the mesh array (and no valid current triangle)
    m.currentTriangle = -1;
    for (int32_t bad : {-1, 2, 1000}) {
        m.currentMesh = bad;
        currentOperations(m);
        lockMesh(m, bad);
        unlockMesh(m, bad);
        EXPECT_EQ(flags(m), before) << bad;
    }
    // current triangle negative, not a multiple of 3, past the end, or a partial trailing one
    m.currentMesh = 5;
    m.vertices.resize(11);
    const std::string longer = flags(m);
    for (int32_t bad : {-3, -1, 1, 4, 9, 12, 3000}) {
        m.currentTriangle = bad;
        currentOperations(m);
        EXPECT_FALSE(triangleSelectedForEditing(m, bad));
        EXPECT_EQ(flags(m), longer) << bad;
    }
}

TEST(Selection, MeshRangesOutsideTheArray) {
    Model m;
    twoMeshes(m);
    m.vertices.resize(8); // vertex 8 gone: mesh 1's only triangle is now partial
    // mesh 1 claims triangles past the array: only whole triangles inside are touched
    m.meshes[1].triangleCount = 40;
    m.currentMesh = 1;
    lockMesh(m, 1);
    selectCurrentMeshOnly(m);
    EXPECT_EQ(locked(m), "00000000");
    EXPECT_EQ(selected(m), "00000000");
    EXPECT_TRUE(m.meshes[1].locked);
    // mesh 0 reaches past the array: its whole triangles inside are still its vertices
    m.meshes[0].triangleCount = 1000;
    m.currentMesh = 0;
    selectCurrentMeshOnly(m);
    hideAllMeshes(m);
    EXPECT_EQ(selected(m), "11111100");
    EXPECT_EQ(locked(m), "11111100");
    EXPECT_TRUE(meshSelected(m, 0));
    // a mesh starting past the array, or before it, covers nothing
    for (int32_t first : {300, -3}) {
        showAllMeshes(m);
        m.meshes[0].firstVertex = first;
        m.meshes[0].triangleCount = 2;
        selectNone(m);
        addCurrentMeshToSelection(m);
        lockMesh(m, 0);
        toggleSmoothCurrentMesh(m);
        EXPECT_EQ(selected(m), "00000000") << first;
        EXPECT_EQ(locked(m), "00000000") << first;
        EXPECT_EQ(meshVertexRange(m, 0).begin, meshVertexRange(m, 0).end) << first;
    }
}
