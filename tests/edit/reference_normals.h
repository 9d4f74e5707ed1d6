// The smooth normal as a plain scan over the whole mesh: the reference the indexed pass must
// match bit for bit, and the baseline the benchmark measures it against.
#pragma once

#include "edit/normals.h"
#include "model/model.h"

#include <cmath>

inline Vec3 referenceSmooth(const Model& m, int32_t v) {
    const Mesh& mesh = m.meshes[meshOfVertex(m, v)];
    const Vertex& p = m.vertices[v];
    const float tol = m.coincidenceTolerance;
    Vec3 sum = {0, 0, 0};
    int count = 0;
    for (int32_t i = mesh.firstVertex; i < meshEndVertex(m, mesh); ++i) {
        const Vertex& q = m.vertices[i];
        if (!(std::fabs(q.x - p.x) < tol && std::fabs(q.y - p.y) < tol &&
              std::fabs(q.z - p.z) < tol))
            continue;
        const int32_t t = 3 * (i / 3);
        const Vec3 n =
            faceNormal({m.vertices[t].x, m.vertices[t].y, m.vertices[t].z},
                       {m.vertices[t + 1].x, m.vertices[t + 1].y, m.vertices[t + 1].z},
                       {m.vertices[t + 2].x, m.vertices[t + 2].y, m.vertices[t + 2].z}, true);
        sum.x += n.x;
        sum.y += n.y;
        sum.z += n.z;
        ++count;
    }
    if (count == 0) return {0, 0, 1};
    const Vec3 a = {sum.x / count, sum.y / count, sum.z / count};
    const float len = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    if (!(len > 0) || !std::isfinite(len)) return {0, 0, 1};
    return {a.x / len, a.y / len, a.z / len};
}
