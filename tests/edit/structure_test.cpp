// Deleting meshes: the tail moves down, later meshes follow, the current mesh stays in range.
#include "edit/structure.h"

#include <gtest/gtest.h>

namespace {
// Three meshes of 1, 2 and 1 triangles; vertex i sits at x = i.
void threeMeshes(Model& m) {
    m.vertices.resize(12);
    for (int i = 0; i < 12; ++i) {
        m.vertices[i].x = static_cast<float>(i);
        m.vertices[i].y = static_cast<float>(i % 3 == 1);
        m.vertices[i].z = static_cast<float>(i % 3 == 2);
    }
    m.meshes.resize(3);
    m.meshes[0].firstVertex = 0, m.meshes[0].triangleCount = 1;
    m.meshes[1].firstVertex = 3, m.meshes[1].triangleCount = 2, m.meshes[1].MaterialNumber = 1;
    m.meshes[2].firstVertex = 9, m.meshes[2].triangleCount = 1, m.meshes[2].smooth = true;
}
} // namespace

TEST(Structure, DeleteMiddleMeshShiftsTail) {
    Model m;
    threeMeshes(m);
    m.vertices[10].selected = true;
    m.vertices[10].locked = true;
    m.currentMesh = 2;
    deleteMesh(m, 1);
    ASSERT_EQ(vertexCount(m), 6);
    ASSERT_EQ(meshCount(m), 2);
    // the last mesh moved down with its values and its vertices came along
    EXPECT_EQ(m.meshes[1].firstVertex, 3);
    EXPECT_TRUE(m.meshes[1].smooth);
    EXPECT_EQ(m.vertices[3].x, 9.0f);
    EXPECT_EQ(m.vertices[4].x, 10.0f);
    // a shifted vertex keeps its lock but not its selection
    EXPECT_TRUE(m.vertices[4].locked);
    EXPECT_FALSE(m.vertices[4].selected);
    // the current mesh was past the end and becomes the last mesh
    EXPECT_EQ(m.currentMesh, 1);
}

TEST(Structure, DeleteOnlyMeshAndBadIndices) {
    Model m;
    threeMeshes(m);
    deleteMesh(m, 7); // out of range: nothing happens
    deleteMesh(m, -1);
    EXPECT_EQ(meshCount(m), 3);
    deleteMesh(m, 0);
    deleteMesh(m, 0);
    deleteMesh(m, 0);
    EXPECT_EQ(meshCount(m), 0);
    EXPECT_EQ(vertexCount(m), 0);
    EXPECT_EQ(m.currentMesh, 0);
}

TEST(Structure, DeleteMeshReachingPastTheArray) {
    Model m;
    threeMeshes(m);
    m.meshes[2].triangleCount = 50; // claims more triangles than exist
    deleteMesh(m, 2);
    EXPECT_EQ(vertexCount(m), 9);
    EXPECT_EQ(meshCount(m), 2);
    // a mesh starting past the array removes no vertices
    m.meshes[1].firstVertex = 30;
    deleteMesh(m, 1);
    EXPECT_EQ(vertexCount(m), 9);
    EXPECT_EQ(meshCount(m), 1);
}

namespace {
void expectCorner(const Vertex& v, float x, float u) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.textureX, u);
}
} // namespace

TEST(Structure, InvertSwapsFirstTwoCorners) {
    // inverting mesh 1 swaps corners 0 and 1 of both its triangles, position and texture
    // coordinate, while colours and flags stay with their index; other meshes are untouched
    Model m;
    threeMeshes(m);
    for (int i = 0; i < 12; ++i) {
        m.vertices[i].textureX = 10.0f + static_cast<float>(i);
        m.vertices[i].colourRed = static_cast<float>(i);
    }
    m.vertices[3].selected = true;
    invertMesh(m, 1);
    expectCorner(m.vertices[3], 4, 14);
    expectCorner(m.vertices[4], 3, 13);
    expectCorner(m.vertices[5], 5, 15);
    expectCorner(m.vertices[6], 7, 17);
    expectCorner(m.vertices[7], 6, 16);
    EXPECT_EQ(m.vertices[3].colourRed, 3);
    EXPECT_TRUE(m.vertices[3].selected);
    EXPECT_FALSE(m.vertices[4].selected);
    expectCorner(m.vertices[0], 0, 10);
    expectCorner(m.vertices[9], 9, 19);
    // the pass ran: the normals follow the reversed winding
    EXPECT_FALSE(m.vertices[3].normalDirty);
    const float before = m.vertices[0].normalZ;
    invertTriangle(m, 0);
    EXPECT_EQ(m.vertices[0].normalZ, -before);
    expectCorner(m.vertices[0], 1, 11);
    expectCorner(m.vertices[1], 0, 10);
    // twice restores the triangle
    invertTriangle(m, 0);
    expectCorner(m.vertices[0], 0, 10);
    EXPECT_EQ(m.vertices[0].normalZ, before);
}

TEST(Structure, InvertOutOfRange) {
    Model m;
    threeMeshes(m);
    // bad mesh indices, a triangle start off the grid or outside the array: nothing happens
    invertMesh(m, -1);
    invertMesh(m, 3);
    invertTriangle(m, -3);
    invertTriangle(m, 1);
    invertTriangle(m, 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(m.vertices[i].x, static_cast<float>(i));
    // a mesh claiming triangles past the array inverts only those inside it
    m.meshes[2].triangleCount = 9;
    invertMesh(m, 2);
    EXPECT_EQ(m.vertices[9].x, 10);
    EXPECT_EQ(m.vertices[10].x, 9);
    // a mesh starting past the array, and an empty model
    m.meshes[2].firstVertex = 30;
    invertMesh(m, 2);
    EXPECT_EQ(m.vertices[9].x, 10);
    Model e;
    invertTriangle(e, 0);
    invertMesh(e, 0);
    EXPECT_EQ(vertexCount(e), 0);
}
