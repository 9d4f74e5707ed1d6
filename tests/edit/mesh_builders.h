// Models the edit tests build: meshes of numbered triangles, selected triangles.
#pragma once

#include "model/model.h"

// Appends a mesh of n triangles and returns its index. Model vertex i sits at x = i, so shifts
// show in x; y and z keep every triangle non-degenerate.
inline int addMesh(Model& m, int n, int material = 0) {
    const int first = vertexCount(m);
    for (int i = first; i < first + 3 * n; ++i) {
        Vertex v;
        v.x = static_cast<float>(i);
        v.y = static_cast<float>(i % 3 == 1);
        v.z = static_cast<float>(i % 3 == 2);
        m.vertices.push_back(v);
    }
    Mesh k;
    k.firstVertex = first, k.triangleCount = n, k.MaterialNumber = material;
    m.meshes.push_back(k);
    return meshCount(m) - 1;
}

// Selects the three corners of the triangle starting at vertex t.
inline void selectTriangle(Model& m, int t) {
    for (int i = t; i < t + 3; ++i) m.vertices[i].selected = true;
}
