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
}
