// Structure operations on the triangle list.
//
// Sections: layout helpers; deleting meshes; deleting triangles; split and combine; duplicate;
// winding; drawing.
#include "edit/structure.h"

#include "edit/materials.h"
#include "edit/normals.h"
#include "edit/selection.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

const char* const kNotificationCaption = "Notification!";
const char* const kLastTriangleText = "You are attempting to delete the last triangle in your "
                                      "Model.  You must have at least one Mesh with one Triangle.";
const char* const kSplitCaption = "Split Triangles to New Mesh";
const char* const kSplitText = "You must select at least one triangle!";
const char* const kCombineCaption = "Mesh Combine Failed";
const char* const kCombineText = "You must have at least two meshes selected!";

// Duplicates land 2 units right, 2 down and 2 towards the Front view's viewer.
constexpr float kDuplicateOffsetX = 2.0f, kDuplicateOffsetY = -2.0f, kDuplicateOffsetZ = 2.0f;

EditResult message(const char* caption, const char* text) {
    EditResult r;
    r.caption = caption;
    r.text = text;
    return r;
}

EditResult changed() {
    EditResult r;
    r.changed = true;
    return r;
}

// --- layout helpers ---

// A new corner copied from another: position, texture coordinate and colour; unselected,
// unlocked, normal dirty.
Vertex copiedCorner(const Vertex& src) {
    Vertex v;
    v.x = src.x, v.y = src.y, v.z = src.z;
    v.textureX = src.textureX, v.textureY = src.textureY;
    v.colourRed = src.colourRed, v.colourGreen = src.colourGreen;
    v.colourBlue = src.colourBlue, v.colourAlpha = src.colourAlpha;
    return v;
}

// First vertices of the triangles selected for editing, ascending.
std::vector<int32_t> selectedTriangles(const Model& m) {
    std::vector<int32_t> starts;
    for (int32_t t = 0; t < 3 * triangleCount(m); t += 3)
        if (triangleSelectedForEditing(m, t)) starts.push_back(t);
    return starts;
}

// Where vertex position p ends up once the listed triangles are gone: a position inside a removed
// triangle goes to where the vertex after that triangle lands.
int64_t positionAfterRemoval(const std::vector<int32_t>& starts, int64_t p) {
    const auto below = std::lower_bound(starts.begin(), starts.end(), p);
    const int64_t before = below - starts.begin();
    if (before > 0 && starts[before - 1] + 3LL > p) return starts[before - 1] - 3 * (before - 1);
    return p - 3 * before;
}

// Keeps the current mesh on the same record once meshes are removed; a removed current mesh gives
// way to the mesh now at its index, or the last.
int32_t currentAfterRemoval(int32_t current, const std::vector<char>& removed, int32_t left) {
    if (left == 0) return 0;
    int32_t index = 0;
    const int32_t total = static_cast<int32_t>(removed.size());
    for (int32_t k = 0; k < std::min(current, total); ++k)
        if (!removed[k]) ++index;
    return std::clamp(index, 0, left - 1);
}

// Removes the listed triangles (ascending first vertices of whole triangles) in one pass. Every
// mesh keeps the triangles of its range that are left, and a mesh that loses its last one is
// removed. Vertices behind the first removed triangle are shifted and keep their selection.
void removeTriangles(Model& m, const std::vector<int32_t>& starts) {
    if (starts.empty()) return;
    const int32_t n = vertexCount(m);
    std::vector<Vertex> kept;
    kept.reserve(static_cast<std::size_t>(n) - 3 * starts.size());
    std::size_t next = 0;
    for (int32_t i = 0; i < n;) {
        if (next < starts.size() && starts[next] == i) {
            i += 3, ++next;
            continue;
        }
        kept.push_back(i > starts[0] ? shiftedVertex(m.vertices[i], true) : m.vertices[i]);
        ++i;
    }
    m.vertices.swap(kept);

    std::vector<char> removed(m.meshes.size(), 0);
    std::vector<Mesh> meshes;
    meshes.reserve(m.meshes.size());
    for (std::size_t k = 0; k < m.meshes.size(); ++k) {
        Mesh mesh = m.meshes[k];
        const int64_t begin = positionAfterRemoval(starts, mesh.firstVertex);
        const int64_t end =
            positionAfterRemoval(starts, mesh.firstVertex + 3LL * mesh.triangleCount);
        const bool hadTriangles = mesh.triangleCount > 0;
        mesh.firstVertex = static_cast<int32_t>(begin);
        mesh.triangleCount = static_cast<int32_t>((end - begin) / 3);
        if (hadTriangles && mesh.triangleCount == 0) {
            removed[k] = 1;
            continue;
        }
        meshes.push_back(mesh);
    }
    m.currentMesh =
        currentAfterRemoval(m.currentMesh, removed, static_cast<int32_t>(meshes.size()));
    m.meshes.swap(meshes);
}

// Removes mesh k and its vertices without the normals pass; the layout must be clipped.
void removeMesh(Model& m, int32_t meshIndex) {
    const VertexRange range = meshVertexRange(m, meshIndex);
    const int32_t first = range.begin, end = range.end;
    const int32_t removed = end - first;

    for (int32_t i = end; i < vertexCount(m); ++i)
        m.vertices[i - removed] = shiftedVertex(m.vertices[i], false);
    m.vertices.resize(m.vertices.size() - static_cast<std::size_t>(removed));
    m.vertices.shrink_to_fit();

    m.meshes.erase(m.meshes.begin() + meshIndex);
    // A position inside the removed run goes to its start; one behind it moves down.
    const auto follow = [&](int64_t p) { return p < first ? p : p < end ? first : p - removed; };
    for (Mesh& mesh : m.meshes) {
        const int64_t b = follow(mesh.firstVertex);
        const int64_t e = follow(mesh.firstVertex + 3LL * mesh.triangleCount);
        mesh.firstVertex = static_cast<int32_t>(b);
        mesh.triangleCount = static_cast<int32_t>((e - b) / 3);
    }
    if (m.currentMesh >= meshCount(m)) m.currentMesh = std::max(meshCount(m) - 1, 0);
}

// Appends a mesh over the vertices from firstVertex on; returns its index.
int32_t appendMesh(Model& m, int32_t firstVertex, int32_t triangles, int32_t material) {
    Mesh mesh;
    mesh.firstVertex = firstVertex;
    mesh.triangleCount = triangles;
    mesh.MaterialNumber = usableMaterial(m, material);
    m.meshes.push_back(mesh);
    return meshCount(m) - 1;
}

} // namespace

void clipMeshesToVertices(Model& m) {
    const std::size_t whole = 3 * static_cast<std::size_t>(triangleCount(m));
    if (m.vertices.size() != whole) {
        m.vertices.resize(whole);
        m.vertices.shrink_to_fit();
    }
    for (int32_t k = 0; k < meshCount(m); ++k) {
        const VertexRange r = meshVertexRange(m, k);
        m.meshes[k].firstVertex = r.begin;
        m.meshes[k].triangleCount = (r.end - r.begin) / 3;
    }
}

Vertex shiftedVertex(const Vertex& old, bool keepSelected) {
    Vertex v = copiedCorner(old);
    v.normalX = old.normalX, v.normalY = old.normalY, v.normalZ = old.normalZ;
    v.locked = old.locked;
    v.selected = keepSelected && old.selected;
    return v;
}

// --- deleting meshes ---

void deleteMesh(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return;
    clipMeshesToVertices(m);
    removeMesh(m, meshIndex);
    recalculateNormals(m);
}

// --- deleting triangles ---

void deleteTriangle(Model& m, int32_t t) {
    if (!triangleExists(m, t)) return;
    clipMeshesToVertices(m);
    removeTriangles(m, {t});
    recalculateNormals(m);
}

EditResult deleteSelectedTriangles(Model& m) {
    std::vector<int32_t> starts = selectedTriangles(m);
    if (starts.empty()) return {};
    EditResult result;
    // The walk deletes in order until a selected triangle is the model's only one.
    if (static_cast<int64_t>(starts.size()) == triangleCount(m)) {
        starts.pop_back();
        result = message(kNotificationCaption, kLastTriangleText);
    }
    if (starts.empty()) return result;
    clipMeshesToVertices(m);
    removeTriangles(m, starts);
    recalculateNormals(m);
    result.changed = true;
    return result;
}

// --- split and combine ---

EditResult splitSelectionToNewMesh(Model& m) {
    const std::vector<int32_t> starts = selectedTriangles(m);
    if (starts.empty()) return message(kSplitCaption, kSplitText);
    clipMeshesToVertices(m);
    const int32_t first = vertexCount(m);
    const int32_t k = static_cast<int32_t>(starts.size());
    m.vertices.reserve(static_cast<std::size_t>(first) + 3 * starts.size());
    for (int32_t t : starts)
        for (int32_t i = t; i < t + 3; ++i) m.vertices.push_back(copiedCorner(m.vertices[i]));
    appendMesh(m, first, k, 0);
    // The copies are unselected, so only the originals go; the new mesh follows the tail down.
    removeTriangles(m, starts);
    recalculateNormals(m);
    return changed();
}

EditResult combineSelectedMeshes(Model& m) {
    std::vector<int32_t> listed;
    for (int32_t k = 0; k < meshCount(m); ++k)
        if (meshSelected(m, k)) listed.push_back(k);
    if (listed.size() < 2) return message(kCombineCaption, kCombineText);
    clipMeshesToVertices(m);

    const int32_t first = vertexCount(m);
    int64_t triangles = 0;
    for (int32_t k : listed) triangles += m.meshes[k].triangleCount;
    m.vertices.reserve(static_cast<std::size_t>(first + 3 * triangles));
    for (int32_t k : listed) {
        const VertexRange r = meshVertexRange(m, k);
        for (int32_t i = r.begin; i < r.end; ++i) {
            Vertex v = copiedCorner(m.vertices[i]);
            v.locked = m.vertices[i].locked;
            m.vertices.push_back(v);
        }
    }
    appendMesh(m, first, static_cast<int32_t>(triangles), m.meshes[listed[0]].MaterialNumber);
    for (auto k = listed.rbegin(); k != listed.rend(); ++k) removeMesh(m, *k);
    m.currentMesh = meshCount(m) - 1;
    recalculateNormals(m);
    return changed();
}

// --- duplicate ---

void duplicateMesh(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return;
    clipMeshesToVertices(m);
    const VertexRange r = meshVertexRange(m, meshIndex);
    const int32_t first = vertexCount(m);
    m.vertices.reserve(static_cast<std::size_t>(first) + (r.end - r.begin));
    for (int32_t i = r.begin; i < r.end; ++i) {
        Vertex v = copiedCorner(m.vertices[i]);
        v.x += kDuplicateOffsetX, v.y += kDuplicateOffsetY, v.z += kDuplicateOffsetZ;
        v.locked = m.vertices[i].locked;
        m.vertices.push_back(v);
    }
    // Read before the append, which may move the mesh array.
    const bool locked = m.meshes[meshIndex].locked;
    const int32_t material = m.meshes[meshIndex].MaterialNumber;
    const int32_t copy = appendMesh(m, first, (r.end - r.begin) / 3, material);
    m.meshes[copy].locked = locked;
    m.currentMesh = copy;
    recalculateNormals(m);
}

// --- winding ---

namespace {

// Swaps the first two corners' position and texture coordinate; marks the triangle for normals.
void swapFirstCorners(Model& m, int32_t t) {
    Vertex& a = m.vertices[t];
    Vertex& b = m.vertices[t + 1];
    std::swap(a.x, b.x);
    std::swap(a.y, b.y);
    std::swap(a.z, b.z);
    std::swap(a.textureX, b.textureX);
    std::swap(a.textureY, b.textureY);
    for (int32_t i = t; i < t + 3; ++i) m.vertices[i].normalDirty = true;
}

} // namespace

void invertMesh(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return;
    const Mesh& mesh = m.meshes[meshIndex];
    const int32_t first = std::max(mesh.firstVertex, 0);
    const int32_t end = meshEndVertex(m, mesh);
    if (end - first < 3) return;
    for (int32_t t = first; t + 3 <= end; t += 3) swapFirstCorners(m, t);
    recalculateNormals(m);
}

void invertTriangle(Model& m, int32_t t) {
    if (t < 0 || t % 3 != 0 || t >= 3 * triangleCount(m)) return;
    swapFirstCorners(m, t);
    recalculateNormals(m);
}

// --- drawing ---

bool drawNewMesh(Model& m, float h1, float w1, float h2, float w2, Plane plane) {
    if (!knownPlane(plane)) return false;
    for (float c : {h1, w1, h2, w2})
        if (!std::isfinite(c)) return false;
    if (h1 == h2 || w1 == w2) return false;

    // The Top view's table is the Front one with the vertical corners exchanged.
    if (plane == PlaneTop) std::swap(w1, w2);
    struct Corner {
        float h, w, u, v;
    };
    const Corner corners[6] = {{h1, w1, 0, 0}, {h2, w1, 1, 0}, {h2, w2, 1, 1},
                               {h1, w1, 0, 0}, {h2, w2, 1, 1}, {h1, w2, 0, 1}};

    clipMeshesToVertices(m);
    const int32_t first = vertexCount(m);
    m.vertices.reserve(static_cast<std::size_t>(first) + 6);
    for (const Corner& c : corners) {
        Vertex v;
        float at[3];
        planeToAxes(plane, c.h, c.w, at);
        v.x = at[0], v.y = at[1], v.z = at[2];
        v.textureX = c.u, v.textureY = c.v;
        m.vertices.push_back(v);
    }
    m.currentMesh = appendMesh(m, first, 2, 0);
    selectCurrentMeshOnly(m);
    recalculateNormals(m);
    return true;
}
