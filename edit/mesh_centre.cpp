// Centre of a mesh and its half extents.
#include "edit/mesh_centre.h"

#include <algorithm>
#include <cmath>

int32_t meshCentre(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return 0;
    Mesh& mesh = m.meshes[meshIndex];
    const int32_t first = std::max(mesh.firstVertex, 0);
    const int32_t end = meshEndVertex(m, mesh);
    // Whole triangles only, even when the mesh starts off the triangle grid.
    const int32_t count = (end - first) / 3 * 3;
    if (count <= 0) return 0;

    double sx = 0, sy = 0, sz = 0;
    for (int32_t i = first; i < first + count; ++i) {
        const Vertex& v = m.vertices[i];
        sx += v.x;
        sy += v.y;
        sz += v.z;
    }
    const float cx = static_cast<float>(sx / count);
    const float cy = static_cast<float>(sy / count);
    const float cz = static_cast<float>(sz / count);

    float ex = 0, ey = 0, ez = 0;
    for (int32_t i = first; i < first + count; ++i) {
        const Vertex& v = m.vertices[i];
        ex = std::max(ex, std::fabs(v.x - cx));
        ey = std::max(ey, std::fabs(v.y - cy));
        ez = std::max(ez, std::fabs(v.z - cz));
    }
    m.centreX = cx;
    m.centreY = cy;
    m.centreZ = cz;
    mesh.halfExtentX = ex;
    mesh.halfExtentY = ey;
    mesh.halfExtentZ = ez;
    mesh.largestHalfExtent = std::max(ex, std::max(ey, ez));
    return count;
}
