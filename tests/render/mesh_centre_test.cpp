// Centre of a mesh: mean of its corners and half extents, robust to bad ranges.
#include "edit/mesh_centre.h"

#include <gtest/gtest.h>

namespace {
void addTriangle(Model& m, float x0, float y0, float z0, float x1, float y1, float z1, float x2,
                 float y2, float z2) {
    for (auto p : {Vertex{x0, y0, z0}, Vertex{x1, y1, z1}, Vertex{x2, y2, z2}})
        m.vertices.push_back(p);
}
Mesh meshOf(int first, int count) {
    Mesh mesh;
    mesh.firstVertex = first;
    mesh.triangleCount = count;
    return mesh;
}
} // namespace

TEST(MeshCentre, MeanOfCornersAndHalfExtents) {
    Model m;
    addTriangle(m, 100, 100, 100, 100, 100, 100, 100, 100, 100); // another mesh's triangle
    // Repeated corners count each time: the mean is of six vertex records.
    addTriangle(m, -1, -1, 0, 1, -1, 0, 1, 1, 0);
    addTriangle(m, -1, -1, 0, 1, 1, 0, -1, 1, 3);
    m.meshes = {meshOf(0, 1), meshOf(3, 2)};
    EXPECT_EQ(meshCentre(m, 1), 6);
    EXPECT_FLOAT_EQ(m.centreX, 0);
    EXPECT_FLOAT_EQ(m.centreY, 0);
    EXPECT_FLOAT_EQ(m.centreZ, 0.5f);
    EXPECT_FLOAT_EQ(m.meshes[1].halfExtentX, 1);
    EXPECT_FLOAT_EQ(m.meshes[1].halfExtentY, 1);
    EXPECT_FLOAT_EQ(m.meshes[1].halfExtentZ, 2.5f);
    EXPECT_FLOAT_EQ(m.meshes[1].largestHalfExtent, 2.5f);
    // The other mesh is untouched.
    EXPECT_EQ(m.meshes[0].largestHalfExtent, 0);
}

TEST(MeshCentre, BadRangesUseOnlyWholeTrianglesInsideTheArray) {
    Model m;
    addTriangle(m, 0, 0, 0, 2, 0, 0, 0, 2, 0);
    m.vertices.push_back(Vertex{50, 50, 50}); // a stray partial triangle
    m.meshes = {meshOf(0, 5), meshOf(0, 0), meshOf(9, 2), meshOf(-6, 4)};
    m.centreX = 7;
    // Reaching past the array: only the one whole triangle counts.
    EXPECT_EQ(meshCentre(m, 0), 3);
    EXPECT_FLOAT_EQ(m.centreX, 2.0f / 3);
    EXPECT_FLOAT_EQ(m.meshes[0].halfExtentX, 4.0f / 3);
    // Empty, wholly outside, negative start, bad index: nothing written.
    m.centreX = 7;
    EXPECT_EQ(meshCentre(m, 1), 0);
    EXPECT_EQ(meshCentre(m, 2), 0);
    EXPECT_EQ(meshCentre(m, 3), 0);
    EXPECT_EQ(meshCentre(m, 4), 0);
    EXPECT_EQ(meshCentre(m, -1), 0);
    EXPECT_EQ(m.centreX, 7);
}
