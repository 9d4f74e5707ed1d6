// Extend and saw-tooth extend: which edges take part, the offset, the new mesh, the failures.
#include "edit/extend.h"

#include <gtest/gtest.h>

namespace {

// Two triangles in the z = 0 plane, each its own mesh with its own material:
// T0 (0,0) (1,0) (0,1) and T1 (2,0) (3,0) (2,1).
void twoTriangles(Model& m) {
    const float xy[6][2] = {{0, 0}, {1, 0}, {0, 1}, {2, 0}, {3, 0}, {2, 1}};
    m.vertices.resize(6);
    for (int i = 0; i < 6; ++i) {
        m.vertices[i].x = xy[i][0], m.vertices[i].y = xy[i][1];
        m.vertices[i].textureX = 0.1f * static_cast<float>(i);
        m.vertices[i].colourGreen = 0.1f * static_cast<float>(i);
    }
    m.materials.resize(2);
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 1;
    m.meshes[1].firstVertex = 3, m.meshes[1].triangleCount = 1, m.meshes[1].MaterialNumber = 1;
}

void expectAt(const Vertex& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

} // namespace

TEST(Extend, PlainQuads) {
    // V0 and V1 of T0 selected: its edge runs V1 to V0 and is pulled out of the triangle's
    // side, away from V2, by one unit
    Model m;
    twoTriangles(m);
    m.vertices[0].selected = m.vertices[1].selected = true;
    const EditResult r = extendSelectedVertices(m);
    EXPECT_TRUE(r.changed);
    EXPECT_FALSE(r.hasMessage());
    ASSERT_EQ(meshCount(m), 3);
    ASSERT_EQ(vertexCount(m), 12);
    const Mesh& added = m.meshes[2];
    EXPECT_EQ(added.firstVertex, 6);
    EXPECT_EQ(added.triangleCount, 2);
    EXPECT_EQ(added.MaterialNumber, 0);
    // F, S, S + D, F, S + D, F + D with D = (0, -1, 0)
    expectAt(m.vertices[6], 1, 0, 0);
    expectAt(m.vertices[7], 0, 0, 0);
    expectAt(m.vertices[8], 0, -1, 0);
    expectAt(m.vertices[9], 1, 0, 0);
    expectAt(m.vertices[10], 0, -1, 0);
    expectAt(m.vertices[11], 1, -1, 0);
    // copies take texture coordinate and colour of their corner, and are not selected
    EXPECT_EQ(m.vertices[11].textureX, m.vertices[1].textureX);
    EXPECT_EQ(m.vertices[10].colourGreen, m.vertices[0].colourGreen);
    EXPECT_FALSE(m.vertices[6].selected);
    // the source is untouched and still selected; the current mesh stays
    expectAt(m.vertices[0], 0, 0, 0);
    EXPECT_TRUE(m.vertices[0].selected);
    EXPECT_EQ(m.currentMesh, 0);
    // the strip faces the same way as the triangle it grew from
    EXPECT_GT(m.vertices[6].normalZ, 0);

    // all three corners selected: only the edge from V0 to V2 takes part
    Model a;
    twoTriangles(a);
    for (int i = 3; i < 6; ++i) a.vertices[i].selected = true;
    extendSelectedVertices(a);
    ASSERT_EQ(vertexCount(a), 12);
    EXPECT_EQ(a.meshes[2].MaterialNumber, 1);
    EXPECT_EQ(a.vertices[6].x, 2);
    EXPECT_EQ(a.vertices[6].y, 0);
    EXPECT_EQ(a.vertices[7].y, 1);
}

TEST(Extend, SawTooth) {
    // the same single edge is too little for the saw tooth: the message and no change
    Model m;
    twoTriangles(m);
    m.vertices[0].selected = m.vertices[1].selected = true;
    EditResult r = extendSelectedVerticesSawTooth(m);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.caption, "Extend Failed");
    EXPECT_EQ(r.text, "At Least 2 vertices must be selected");
    EXPECT_EQ(vertexCount(m), 6);
    EXPECT_EQ(meshCount(m), 2);

    // all of T0 and V0, V1 of T1: edges (0,0)-(0,1) and (3,0)-(2,0) about C = (1.2, 0.2, 0)
    // have directions (0,0,-1.2) and (0,0,-0.2), so the teeth reach 10 x their mean: z = -7
    m.vertices[2].selected = m.vertices[3].selected = m.vertices[4].selected = true;
    r = extendSelectedVerticesSawTooth(m);
    EXPECT_TRUE(r.changed);
    ASSERT_EQ(vertexCount(m), 12);
    EXPECT_EQ(m.meshes[2].triangleCount, 2);
    EXPECT_EQ(m.meshes[2].MaterialNumber, 1); // the mesh of the last triangle taking part
    expectAt(m.vertices[6], 0, 0, 0);
    expectAt(m.vertices[7], 0, 1, 0);
    expectAt(m.vertices[8], 0, 1, -7);
    expectAt(m.vertices[9], 3, 0, 0);
    expectAt(m.vertices[11], 2, 0, -7);
    // the tip's texture coordinate is its edge end's, one higher in v
    EXPECT_EQ(m.vertices[8].textureX, m.vertices[2].textureX);
    EXPECT_EQ(m.vertices[8].textureY, m.vertices[2].textureY + 1.0f);

    // extending again works from the same source edges
    extendSelectedVerticesSawTooth(m);
    EXPECT_EQ(meshCount(m), 4);
    expectAt(m.vertices[14], 0, 1, -7);
}

TEST(Extend, NothingToExtend) {
    // nothing selected, one corner per triangle, an empty model: the message, no change
    Model m;
    twoTriangles(m);
    m.vertices[0].selected = m.vertices[4].selected = true;
    EXPECT_EQ(extendSelectedVertices(m).caption, "Extend Failed");
    EXPECT_EQ(vertexCount(m), 6);
    Model e;
    EXPECT_TRUE(extendSelectedVertices(e).hasMessage());
    EXPECT_TRUE(extendSelectedVerticesSawTooth(e).hasMessage());
    EXPECT_EQ(meshCount(e), 0);

    // a triangle in no mesh, in a model without materials: the new mesh names one that exists
    Model n;
    n.vertices.resize(3);
    n.vertices[1].x = n.vertices[2].y = 1;
    n.vertices[0].selected = n.vertices[1].selected = true;
    ASSERT_TRUE(extendSelectedVertices(n).changed);
    ASSERT_EQ(materialCount(n), 1);
    EXPECT_EQ(n.meshes[0].MaterialNumber, 0);
    EXPECT_EQ(n.meshes[0].firstVertex, 3);
}
