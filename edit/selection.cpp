// Selection and locks: vertex and mesh flags, picking, rectangle selection, derived notions.
//
// Sections: ranges; whole-model flags; meshes; current triangle; picking; derived notions.
#include "edit/selection.h"

#include "edit/normals.h"

#include <algorithm>

// --- ranges ---

VertexRange meshVertexRange(const Model& m, int32_t mesh) {
    if (mesh < 0 || mesh >= meshCount(m)) return {};
    const Mesh& rec = m.meshes[mesh];
    // Both ends are clamped: meshEndVertex gives the start back for a mesh starting past the
    // array, and nothing for a negative start.
    const int32_t whole = 3 * triangleCount(m);
    const int32_t begin = std::clamp(rec.firstVertex, 0, whole);
    return {begin, std::clamp(meshEndVertex(m, rec), begin, whole)};
}

bool triangleExists(const Model& m, int32_t t) {
    return t >= 0 && t % 3 == 0 && t < 3 * triangleCount(m);
}

namespace {

template <typename F> void forEachVertex(Model& m, F f) {
    for (Vertex& v : m.vertices) f(v);
}

template <typename F> void forMeshVertices(Model& m, int32_t mesh, F f) {
    const VertexRange r = meshVertexRange(m, mesh);
    for (int32_t i = r.begin; i < r.end; ++i) f(m.vertices[i]);
}

template <typename F> void forCurrentTriangle(Model& m, F f) {
    const int32_t t = m.currentTriangle;
    if (!triangleExists(m, t)) return;
    for (int32_t i = t; i < t + 3; ++i) f(m.vertices[i]);
}

void setLocked(Model& m, int32_t mesh, bool locked) {
    if (mesh < 0 || mesh >= meshCount(m)) return;
    m.meshes[mesh].locked = locked;
    forMeshVertices(m, mesh, [locked](Vertex& v) { v.locked = locked; });
}

} // namespace

// --- whole-model flags ---

void selectAllVertices(Model& m) {
    forEachVertex(m, [](Vertex& v) { v.selected = true; });
}

void selectNone(Model& m) {
    forEachVertex(m, [](Vertex& v) { v.selected = false; });
}

void lockSelectedVertices(Model& m) {
    forEachVertex(m, [](Vertex& v) { v.locked = v.locked || v.selected; });
}

void unlockSelectedVertices(Model& m) {
    forEachVertex(m, [](Vertex& v) { v.locked = v.locked && !v.selected; });
}

// --- meshes ---

void lockMesh(Model& m, int32_t mesh) {
    setLocked(m, mesh, true);
}

void unlockMesh(Model& m, int32_t mesh) {
    setLocked(m, mesh, false);
}

void lockAllMeshes(Model& m) {
    for (int32_t k = 0; k < meshCount(m); ++k) lockMesh(m, k);
}

void unlockAllMeshes(Model& m) {
    for (int32_t k = 0; k < meshCount(m); ++k) unlockMesh(m, k);
}

void showAllMeshes(Model& m) {
    for (int32_t k = 0; k < meshCount(m); ++k) {
        m.meshes[k].hidden = false;
        unlockMesh(m, k);
    }
}

void hideAllMeshes(Model& m) {
    for (int32_t k = 0; k < meshCount(m); ++k) {
        m.meshes[k].hidden = true;
        lockMesh(m, k);
    }
}

void toggleHiddenCurrentMesh(Model& m) {
    if (!hasCurrentMesh(m)) return;
    Mesh& mesh = m.meshes[m.currentMesh];
    mesh.hidden = !mesh.hidden;
    // A mesh shown again stays locked until the user unlocks it.
    if (mesh.hidden) lockMesh(m, m.currentMesh);
}

void selectCurrentMeshOnly(Model& m) {
    if (!hasCurrentMesh(m)) return;
    const VertexRange r = meshVertexRange(m, m.currentMesh);
    for (int32_t i = 0; i < vertexCount(m); ++i) m.vertices[i].selected = i >= r.begin && i < r.end;
}

void addCurrentMeshToSelection(Model& m) {
    if (!hasCurrentMesh(m)) return;
    forMeshVertices(m, m.currentMesh, [](Vertex& v) { v.selected = true; });
}

void removeCurrentMeshFromSelection(Model& m) {
    if (!hasCurrentMesh(m)) return;
    forMeshVertices(m, m.currentMesh, [](Vertex& v) { v.selected = false; });
}

void toggleSmoothCurrentMesh(Model& m) {
    if (!hasCurrentMesh(m)) return;
    setMeshSmooth(m, m.currentMesh, !m.meshes[m.currentMesh].smooth);
}

void setMeshSmooth(Model& m, int32_t mesh, bool smooth) {
    if (mesh < 0 || mesh >= meshCount(m)) return;
    m.meshes[mesh].smooth = smooth;
    // The pass only recomputes dirty vertices; marking the mesh makes the new shading show now
    // instead of after the next edit of each vertex.
    forMeshVertices(m, mesh, [](Vertex& v) { v.normalDirty = true; });
    recalculateNormals(m);
}

void toggleTrianglePinsCurrentMesh(Model& m) {
    if (!hasCurrentMesh(m)) return;
    Mesh& mesh = m.meshes[m.currentMesh];
    mesh.trianglePins = !mesh.trianglePins;
    recalculateNormals(m);
}

// --- current triangle ---

void lockCurrentTriangle(Model& m) {
    forCurrentTriangle(m, [](Vertex& v) { v.locked = true; });
}

void unlockCurrentTriangle(Model& m) {
    forCurrentTriangle(m, [](Vertex& v) { v.locked = false; });
}

void selectCurrentTriangleOnly(Model& m) {
    if (!triangleExists(m, m.currentTriangle)) return;
    selectNone(m);
    addCurrentTriangle(m);
}

void addCurrentTriangle(Model& m) {
    forCurrentTriangle(m, [](Vertex& v) { v.selected = true; });
}

void removeCurrentTriangle(Model& m) {
    forCurrentTriangle(m, [](Vertex& v) { v.selected = false; });
}

// --- picking ---

namespace {

// A rectangle of a plane with its corners ordered; the border is outside.
struct PlaneRect {
    Plane plane;
    float hLow, hHigh, wLow, wHigh;
};

PlaneRect planeRect(float u0, float v0, float u1, float v1, Plane plane) {
    return {plane, std::min(u0, u1), std::max(u0, u1), std::min(v0, v1), std::max(v0, v1)};
}

bool inside(const PlaneRect& r, const Vertex& v) {
    float h, w;
    planeCoordinates(v, r.plane, h, w);
    return r.hLow < h && h < r.hHigh && r.wLow < w && w < r.wHigh;
}

} // namespace

bool pick(Model& m, float u0, float v0, float u1, float v1, Plane plane, bool add, bool commit,
          bool toggle) {
    if (!knownPlane(plane)) return false;
    const PlaneRect r = planeRect(u0, v0, u1, v1, plane);
    // Clicking an already selected vertex keeps the whole selection, so a drag moves all of it.
    if (commit && !add)
        add = std::any_of(m.vertices.begin(), m.vertices.end(),
                          [&r](const Vertex& v) { return v.selected && inside(r, v); });
    const bool flip = toggle && plane == PlaneFront;
    bool hit = false;
    for (Vertex& v : m.vertices) {
        v.picked = false;
        if (commit && !add) v.selected = false;
        if (!inside(r, v)) continue;
        v.picked = true;
        if (commit) v.selected = flip ? !v.selected : true;
        m.lastPickedX = v.x, m.lastPickedY = v.y, m.lastPickedZ = v.z;
        hit = true;
    }
    return hit;
}

void rectangleSelect(Model& m, float u0, float v0, float u1, float v1, Plane plane, bool add,
                     bool toggle) {
    if (!knownPlane(plane)) return;
    const PlaneRect r = planeRect(u0, v0, u1, v1, plane);
    const bool flip = toggle && plane == PlaneFront;
    for (Vertex& v : m.vertices) {
        if (!add) v.selected = false;
        if (inside(r, v)) v.selected = flip ? !v.selected : true;
    }
}

// --- derived notions ---

bool triangleSelectedForEditing(const Model& m, int32_t t) {
    if (!triangleExists(m, t)) return false;
    for (int32_t i = t; i < t + 3; ++i)
        if (!m.vertices[i].selected || m.vertices[i].locked) return false;
    return true;
}

bool meshSelected(const Model& m, int32_t mesh) {
    if (mesh < 0 || mesh >= meshCount(m)) return false;
    const VertexRange r = meshVertexRange(m, mesh);
    for (int32_t i = r.begin; i < r.end; ++i)
        if (!m.vertices[i].selected) return false;
    return true;
}

bool edgeSelected(const Model& m, int32_t a, int32_t b) {
    const int32_t n = vertexCount(m);
    if (a < 0 || a >= n || b < 0 || b >= n) return false;
    return m.vertices[a].selected && m.vertices[b].selected;
}

int32_t firstHoveredMesh(const Model& m) {
    for (int32_t k = 0; k < meshCount(m); ++k)
        if (m.meshes[k].pinHovered) return k;
    return -1;
}

int32_t firstHoveredTriangle(const Model& m) {
    for (int32_t t = 0; t < 3 * triangleCount(m); t += 3)
        if (m.vertices[t].pinHovered) return t;
    return -1;
}

uint32_t textureOfSelection(const Model& m) {
    const auto first = std::find_if(m.vertices.begin(), m.vertices.end(),
                                    [](const Vertex& v) { return v.selected; });
    if (first == m.vertices.end()) return 0;
    const int32_t mesh = meshOfVertex(m, static_cast<int32_t>(first - m.vertices.begin()));
    if (mesh < 0) return 0;
    const int32_t material = m.meshes[mesh].MaterialNumber;
    if (material < 0 || material >= materialCount(m)) return 0;
    const int32_t texture = m.materials[material].TextureIndex;
    if (texture < 0 || texture >= textureCount(m)) return 0;
    return m.textures[texture].glTexture;
}

void storeMouse(Model& m, int x, int y, int windowHeight) {
    m.mouseX = static_cast<float>(x);
    m.mouseY = static_cast<float>(static_cast<int64_t>(windowHeight) - y);
}
