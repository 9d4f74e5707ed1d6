// Welding nearly coinciding corners through the coincidence index.
#include "edit/weld.h"

#include "edit/coincident_index.h"
#include "edit/normals.h"
#include "edit/selection.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

bool samePosition(const Vertex& v, float x, float y, float z) {
    // Bits, not values: -0 and 0 differ in the file.
    const float a[3] = {v.x, v.y, v.z}, b[3] = {x, y, z};
    return std::memcmp(a, b, sizeof a) == 0;
}

// A smooth mesh's other normals depend on the moved triangles too.
void markMovedMeshes(Model& m, const std::vector<char>& moved, int32_t begin) {
    for (int32_t i = 0; i < meshCount(m); ++i) {
        const VertexRange r = meshVertexRange(m, i);
        if (!m.meshes[i].smooth) continue;
        bool touched = false;
        for (int32_t v = r.begin; v < r.end && !touched; ++v)
            touched =
                v >= begin && v - begin < static_cast<int32_t>(moved.size()) && moved[v - begin];
        if (!touched) continue;
        for (int32_t v = r.begin; v < r.end; ++v) m.vertices[v].normalDirty = true;
    }
}

} // namespace

int32_t weldVertices(Model& m, int32_t begin, int32_t end, bool selectedOnly, float distance) {
    if (!(distance > 0) || !std::isfinite(distance)) return 0;
    CoincidentIndex index;
    buildCoincidentIndex(index, m, begin, end, distance);
    const int32_t first = index.begin, n = index.end - index.begin;
    auto weldable = [&](const Vertex& v) { return !v.locked && (v.selected || !selectedOnly); };

    std::vector<char> claimed(static_cast<std::size_t>(n), 0), moved(claimed.size(), 0);
    std::vector<int32_t> near, cluster;
    int32_t count = 0;
    for (int32_t i = first; i < index.end; ++i) {
        const Vertex& seed = m.vertices[i];
        if (claimed[i - first] || !weldable(seed)) continue;
        findCoincident(index, seed, near);
        cluster.clear();
        double sum[3] = {0, 0, 0};
        for (int32_t j : near) {
            const Vertex& v = m.vertices[j];
            if (claimed[j - first] || !weldable(v)) continue;
            claimed[j - first] = 1;
            cluster.push_back(j);
            sum[0] += v.x, sum[1] += v.y, sum[2] += v.z;
        }
        if (cluster.size() < 2) continue;
        const double k = static_cast<double>(cluster.size());
        const float x = static_cast<float>(sum[0] / k), y = static_cast<float>(sum[1] / k),
                    z = static_cast<float>(sum[2] / k);
        for (int32_t j : cluster) {
            Vertex& v = m.vertices[j];
            if (samePosition(v, x, y, z)) continue;
            v.x = x, v.y = y, v.z = z;
            v.normalDirty = true;
            moved[j - first] = 1;
            ++count;
        }
    }
    if (count == 0) return 0;
    markMovedMeshes(m, moved, first);
    recalculateNormals(m);
    return count;
}

int32_t weldSelectedVertices(Model& m, float distance) {
    return weldVertices(m, 0, vertexCount(m), true, distance);
}

int32_t weldMesh(Model& m, int32_t mesh, float distance) {
    const VertexRange r = meshVertexRange(m, mesh);
    if (r.end <= r.begin) return 0;
    return weldVertices(m, r.begin, r.end, false, distance);
}
