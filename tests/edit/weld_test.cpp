// Welding: bit-identical clusters, the tolerance edge, locks, selection and the mesh scope.
#include "edit/weld.h"

#include "edit/normals.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

// Two triangles whose shared edge has drifted: corners 1 and 2 of the first sit near corners 0
// and 1 of the second.
void buildCrack(Model& m, float drift) {
    const float p[6][3] = {
        {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1 + drift, drift, 0}, {1, 1, 0}, {drift, 1 - drift, 0}};
    for (const auto& c : p) {
        Vertex v;
        v.x = c[0], v.y = c[1], v.z = c[2];
        m.vertices.push_back(v);
    }
    Mesh mesh;
    mesh.triangleCount = 2;
    m.meshes.push_back(mesh);
    completeNormals(m);
}

bool bitIdentical(const Vertex& a, const Vertex& b) {
    const float pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
    return std::memcmp(pa, pb, sizeof pa) == 0;
}

TEST(Weld, ClustersMoveToTheirMeanBitForBit) {
    Model m;
    buildCrack(m, 0.013f);
    EXPECT_EQ(weldMesh(m, 0, kCoincidenceTolerance), 4);
    EXPECT_TRUE(bitIdentical(m.vertices[1], m.vertices[3]));
    EXPECT_TRUE(bitIdentical(m.vertices[2], m.vertices[5]));
    EXPECT_FLOAT_EQ(m.vertices[1].x, (1 + 1.013f) / 2);
    EXPECT_EQ(m.vertices[0].x, 0.0f);
    // The second triangle's normal was recomputed from the welded corners.
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.normalDirty);
    EXPECT_NEAR(m.vertices[4].normalZ, 1.0f, 1e-6f);
    // Welding again changes nothing.
    EXPECT_EQ(weldMesh(m, 0, kCoincidenceTolerance), 0);
}

TEST(Weld, TheDistanceIsStrictOnEveryAxis) {
    Model m;
    buildCrack(m, 0.05f);
    EXPECT_EQ(weldMesh(m, 0, 0.05f), 0);
    EXPECT_EQ(weldMesh(m, 0, 0.0f), 0);
    EXPECT_EQ(weldMesh(m, 0, 0.051f), 4);
}

TEST(Weld, SelectedWeldLeavesLockedAndUnselectedCorners) {
    Model m;
    buildCrack(m, 0.01f);
    for (Vertex& v : m.vertices) v.selected = true;
    m.vertices[5].selected = false;
    m.vertices[3].locked = true;
    const Vertex before3 = m.vertices[3], before5 = m.vertices[5];
    EXPECT_EQ(weldSelectedVertices(m, kCoincidenceTolerance), 0);
    EXPECT_TRUE(bitIdentical(m.vertices[3], before3));
    EXPECT_TRUE(bitIdentical(m.vertices[5], before5));
    m.vertices[3].locked = false;
    EXPECT_EQ(weldSelectedVertices(m, kCoincidenceTolerance), 2);
    EXPECT_TRUE(bitIdentical(m.vertices[1], m.vertices[3]));
    EXPECT_TRUE(bitIdentical(m.vertices[5], before5));
}

TEST(Weld, MeshScopeStaysInsideTheMesh) {
    Model m;
    buildCrack(m, 0.01f);
    m.meshes[0].triangleCount = 1;
    Mesh second;
    second.firstVertex = 3, second.triangleCount = 1;
    m.meshes.push_back(second);
    EXPECT_EQ(weldMesh(m, 0, kCoincidenceTolerance), 0);
    EXPECT_EQ(weldMesh(m, 5, kCoincidenceTolerance), 0);
}

} // namespace
