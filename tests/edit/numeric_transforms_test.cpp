// Typed transforms: rotation direction and order, the bounding box centre, locks, mirroring.
#include "edit/numeric_transforms.h"

#include "edit/normals.h"

#include <gtest/gtest.h>

namespace {

// One triangle plus a lone corner pair so the mean and the box centre differ: corners at
// (0,0,0), (4,0,0), (0,2,0); the box centre is (2,1,0), the mean (4/3, 2/3, 0).
void buildTriangle(Model& m) {
    const float p[3][3] = {{0, 0, 0}, {4, 0, 0}, {0, 2, 0}};
    for (const auto& c : p) {
        Vertex v;
        v.x = c[0], v.y = c[1], v.z = c[2];
        v.selected = true;
        m.vertices.push_back(v);
    }
    Mesh mesh;
    mesh.triangleCount = 1;
    m.meshes.push_back(mesh);
}

void expectAt(const Vertex& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(NumericTransforms, RotationTurnsCounterClockwiseAboutTheBoxCentre) {
    Model m;
    buildTriangle(m);
    ASSERT_TRUE(rotateSelectionBy(m, 0, 0, 90));
    // About (2,1,0): (4,0,0) is (2,-1) from it and turns to (1,2).
    expectAt(m.vertices[1], 3, 3, 0);
    expectAt(m.vertices[0], 3, -1, 0);

    Model x;
    buildTriangle(x);
    rotateSelectionBy(x, 90, 0, 0); // y turns towards +z
    expectAt(x.vertices[2], 0, 1, 1);
    Model y;
    buildTriangle(y);
    rotateSelectionBy(y, 0, 90, 0); // x turns towards -z
    expectAt(y.vertices[1], 2, 0, -2);
}

TEST(NumericTransforms, RotationAppliesXThenYThenZ) {
    Model m;
    buildTriangle(m);
    // (4,0,0) is (2,-1,0) from the centre: x first gives (2,0,-1), then y gives (-1,0,-2).
    rotateSelectionBy(m, 90, 90, 0);
    expectAt(m.vertices[1], 1, 1, -2);
}

TEST(NumericTransforms, LockedCornersStayAndDoNotCountForTheCentre) {
    Model m;
    buildTriangle(m);
    m.vertices[1].locked = true;
    // The box of the other two is (0,0)-(0,2): centre (0,1,0).
    ASSERT_TRUE(scaleSelectionBy(m, 3, 3, 3));
    expectAt(m.vertices[0], 0, -2, 0);
    expectAt(m.vertices[2], 0, 4, 0);
    expectAt(m.vertices[1], 4, 0, 0);
    EXPECT_TRUE(m.vertices[1].selected);
    ASSERT_TRUE(moveSelectionBy(m, 1, 0, 0));
    expectAt(m.vertices[1], 4, 0, 0);
    expectAt(m.vertices[0], 1, -2, 0);

    for (Vertex& v : m.vertices) v.locked = true;
    EXPECT_FALSE(rotateSelectionBy(m, 10, 0, 0));
}

TEST(NumericTransforms, TransformRunsMoveRotateScale) {
    Model m;
    buildTriangle(m);
    TransformValues t;
    t.scale = t.rotate = t.move = true;
    t.moveBy[2] = 5;
    t.degrees[2] = 90; // (4,0) turns about (2,1) to (3,3); the box becomes x 1..3, y -1..3
    t.factors[0] = 2;  // then x doubles about 2 (scaling first would give (3,5))
    ASSERT_TRUE(transformSelection(m, t));
    expectAt(m.vertices[1], 4, 3, 5);
}

TEST(NumericTransforms, MirrorReflectsAndKeepsFacesFront) {
    Model m;
    buildTriangle(m);
    completeNormals(m);
    ASSERT_GT(m.vertices[0].normalZ, 0.5f);
    ASSERT_TRUE(mirrorSelection(m, 0));
    completeNormals(m);
    // x reflects through 2; the first two corners swapped places.
    expectAt(m.vertices[0], 0, 0, 0);
    expectAt(m.vertices[1], 4, 0, 0);
    expectAt(m.vertices[2], 4, 2, 0);
    EXPECT_GT(m.vertices[0].normalZ, 0.5f);
}

} // namespace
