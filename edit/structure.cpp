// Structure operations on the triangle list.
#include "edit/structure.h"

#include "edit/normals.h"
#include "edit/selection.h"

#include <algorithm>
#include <utility>

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

void deleteMesh(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return;
    // Only whole triangles inside the array can be removed; a range past the end is clipped.
    const VertexRange range = meshVertexRange(m, meshIndex);
    const int32_t first = range.begin;
    const int32_t end = range.end;
    const int32_t removed = end - first;

    for (int32_t i = end; i < vertexCount(m); ++i) {
        const Vertex& old = m.vertices[i];
        Vertex moved;
        moved.x = old.x, moved.y = old.y, moved.z = old.z;
        moved.normalX = old.normalX, moved.normalY = old.normalY, moved.normalZ = old.normalZ;
        moved.textureX = old.textureX, moved.textureY = old.textureY;
        moved.colourRed = old.colourRed, moved.colourGreen = old.colourGreen;
        moved.colourBlue = old.colourBlue, moved.colourAlpha = old.colourAlpha;
        moved.locked = old.locked;
        m.vertices[i - removed] = moved;
    }
    m.vertices.resize(m.vertices.size() - static_cast<std::size_t>(removed));

    m.meshes.erase(m.meshes.begin() + meshIndex);
    for (int32_t k = meshIndex; k < meshCount(m); ++k) m.meshes[k].firstVertex -= removed;
    if (m.currentMesh >= meshCount(m)) m.currentMesh = std::max(meshCount(m) - 1, 0);
    recalculateNormals(m);
}

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
