// The benchmarks' big mesh: a rippled grid of quads, as a smooth mesh of separate corners.
#pragma once

#include "model/model.h"

#include <cmath>

// One smooth mesh: a rippled grid of quads, two triangles each, filled row by row.
inline void buildRippledGrid(Model& m, int quads) {
    const int cols = 130;
    auto corner = [](int gx, int gy) {
        Vertex v;
        initVertex(v);
        v.x = gx * 0.1f;
        v.y = gy * 0.1f;
        v.z = 0.2f * std::sin(gx * 0.3f) * std::cos(gy * 0.2f);
        return v;
    };
    m.vertices.clear();
    for (int q = 0; q < quads; ++q) {
        const int gx = q % cols, gy = q / cols;
        for (const Vertex& v : {corner(gx, gy), corner(gx + 1, gy), corner(gx + 1, gy + 1),
                                corner(gx, gy), corner(gx + 1, gy + 1), corner(gx, gy + 1)})
            m.vertices.push_back(v);
    }
    Mesh mesh;
    initMesh(mesh);
    mesh.triangleCount = 2 * quads;
    mesh.smooth = true;
    m.meshes.assign(1, mesh);
}
