// Transforms: rotation order and signs, scale factors and axis flags, locked vertices, align,
// mirror winding, the drag table, and models with nothing to act on.
#include "edit/normals.h"
#include "edit/transforms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vertex at(float x, float y, float z, bool selected = true) {
    Vertex v;
    initVertex(v);
    v.x = x, v.y = y, v.z = z;
    v.selected = selected;
    return v;
}

// One mesh over all vertices (whole triangles).
void oneMesh(Model& m) {
    Mesh mesh;
    initMesh(mesh);
    mesh.triangleCount = static_cast<int32_t>(m.vertices.size() / 3);
    m.meshes.assign(1, mesh);
}

// A triangle facing +z (counter-clockwise seen from +z) plus its mirror image about the origin.
void symmetricPair(Model& m) {
    m.vertices = {at(1, 0, 0), at(0, 1, 0), at(0, 0, 1), at(-1, 0, 0), at(0, -1, 0), at(0, 0, -1)};
    oneMesh(m);
}

struct D3 {
    double x, y, z;
};

// Textbook right-handed rotations, built apart from the code under test.
D3 rotX(D3 p, double deg) {
    const double a = deg * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
}
D3 rotY(D3 p, double deg) {
    const double a = deg * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
}
D3 rotZ(D3 p, double deg) {
    const double a = deg * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}

void expectAt(const Vertex& v, double x, double y, double z, double tol = 1e-5) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

Vec3 facing(const Model& m, int t) {
    const Vertex &a = m.vertices[t], &b = m.vertices[t + 1], &c = m.vertices[t + 2];
    return faceNormal({a.x, a.y, a.z}, {b.x, b.y, b.z}, {c.x, c.y, c.z}, true);
}

} // namespace

TEST(Transforms, RotationOrderAndSigns) {
    // a Top-view drag down by 10 pixels turns (1, 0, 0) about the origin by -10 degrees about Y
    // in the program's convention, which moves it towards -z
    Model m;
    symmetricPair(m);
    applyDrag(m, PlaneTop, DragRotate, 0, 0, 10);
    const double c10 = std::cos(10 * M_PI / 180), s10 = std::sin(10 * M_PI / 180);
    expectAt(m.vertices[0], c10, 0, -s10);
    expectAt(m.vertices[3], -c10, 0, s10);
    EXPECT_TRUE(m.vertices[0].selected);

    // fine mode divides the pixels by 10 before the call: one degree
    Model f;
    symmetricPair(f);
    applyDrag(f, PlaneTop, DragRotate, 0, 0, 10 / 10.0f);
    expectAt(f.vertices[0], std::cos(M_PI / 180), 0, -std::sin(M_PI / 180));

    // all three angles at once: Y first, then X, then Z, each as the right-handed rotation by
    // -ay, -ax and +az; a different order gives a clearly different point
    Model r;
    symmetricPair(r);
    r.vertices[0] = at(1, 2, 3);
    r.vertices[3] = at(-1, -2, -3);
    rotateSelection(r, 30, 40, 50);
    const D3 want = rotZ(rotX(rotY({1, 2, 3}, -40), -30), 50);
    expectAt(r.vertices[0], want.x, want.y, want.z);
    const D3 other = rotY(rotX(rotZ({1, 2, 3}, 50), -30), -40);
    EXPECT_GT(std::fabs(r.vertices[0].x - other.x) + std::fabs(r.vertices[0].z - other.z), 0.1);

    // the pivot is the selection's centre, not the origin
    Model p;
    p.vertices = {at(5, 0, 0), at(7, 0, 0), at(6, 2, 0, false)};
    oneMesh(p);
    rotateSelection(p, 0, 0, 90);
    expectAt(p.vertices[0], 6, -1, 0);
    expectAt(p.vertices[1], 6, 1, 0);
    expectAt(p.vertices[2], 6, 2, 0, 0);
    EXPECT_FLOAT_EQ(p.centreX, 6);
}

TEST(Transforms, LockedVerticesUnderEachTransform) {
    // move: the locked vertex stays selected and in place
    Model m;
    symmetricPair(m);
    m.vertices[1].locked = true;
    moveSelection(m, 1, 2, 3);
    expectAt(m.vertices[0], 2, 2, 3, 0);
    expectAt(m.vertices[1], 0, 1, 0, 0);
    EXPECT_TRUE(m.vertices[1].selected);

    // rotate: deselected and in place; the centre comes from the others only
    Model r;
    symmetricPair(r);
    r.vertices[1].locked = true;
    rotateSelection(r, 0, 0, 90);
    expectAt(r.vertices[1], 0, 1, 0, 0);
    EXPECT_FALSE(r.vertices[1].selected);
    EXPECT_NEAR(r.centreY, -0.2f, 1e-6f);

    // scale: deselected and in place
    Model s;
    symmetricPair(s);
    s.vertices[2].locked = true;
    scaleSelection(s, 1, 1, 1);
    expectAt(s.vertices[2], 0, 0, 1, 0);
    EXPECT_FALSE(s.vertices[2].selected);

    // align: locked selected vertices move too
    Model a;
    symmetricPair(a);
    a.vertices[0].locked = true;
    alignSelection(a, true, false, false);
    EXPECT_FLOAT_EQ(a.vertices[0].x, 0);
    EXPECT_TRUE(a.vertices[0].selected);
}

TEST(Transforms, ScaleFactorsAndAxes) {
    auto pair = [](Model& m) {
        m.vertices = {at(0, 0, 0), at(2, 2, 2), at(1, 1, 1, false)};
        oneMesh(m);
    };
    // one pixel or thirty: exactly 1.05 about the centre (1, 1, 1)
    for (float pixels : {1.0f, 30.0f}) {
        Model m;
        pair(m);
        applyDrag(m, PlaneFront, DragScale, 0, 0, pixels);
        EXPECT_EQ(m.vertices[1].x, 1 + 1.05f * 1);
        EXPECT_EQ(m.vertices[0].z, 1 + 1.05f * -1);
    }
    // dragging up shrinks by 0.95; fine mode uses 1.01 and 0.99
    Model d;
    pair(d);
    scaleSelection(d, -7, -7, -7);
    EXPECT_EQ(d.vertices[1].y, 1 + 0.95f * 1);
    Model f;
    pair(f);
    f.fineMode = true;
    scaleSelection(f, 0.1f, -3, 0.1f);
    EXPECT_EQ(f.vertices[1].x, 1 + 1.01f * 1);
    EXPECT_EQ(f.vertices[1].y, 1 + 0.99f * 1);

    // with the X flag off x stays while y and z scale
    Model n;
    pair(n);
    n.scaleX = false;
    scaleSelection(n, 1, 1, 1);
    EXPECT_EQ(n.vertices[1].x, 2);
    EXPECT_EQ(n.vertices[1].y, 1 + 1.05f);
    EXPECT_EQ(n.vertices[1].z, 1 + 1.05f);

    // an argument of 0 leaves its axis alone
    Model z;
    pair(z);
    scaleSelection(z, 0, 5, 0);
    EXPECT_EQ(z.vertices[1].x, 2);
    EXPECT_EQ(z.vertices[1].y, 1 + 1.05f);
    EXPECT_EQ(z.vertices[1].z, 2);

    // with no axis changed the selected corners still get their normals recomputed
    Model u;
    symmetricPair(u);
    completeNormals(u);
    u.vertices[0].normalX = 9;
    scaleSelection(u, 0, 0, 0);
    EXPECT_NE(u.vertices[0].normalX, 9);
    EXPECT_FALSE(u.vertices[0].normalDirty);
}

TEST(Transforms, AlignAndMove) {
    // align on y sets every selected vertex to the mean and leaves normals to the next pass
    Model m;
    m.vertices = {at(0, 0, 0),        at(1, 3, 0),        at(2, 9, 5),
                  at(4, 7, 4, false), at(0, 0, 9, false), at(1, 1, 1, false)};
    oneMesh(m);
    completeNormals(m);
    alignSelection(m, false, true, false);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(m.vertices[i].y, 4);
    EXPECT_EQ(m.vertices[2].x, 2);
    EXPECT_EQ(m.vertices[2].z, 5);
    EXPECT_EQ(m.vertices[3].y, 7); // not selected, untouched
    EXPECT_EQ(m.vertices[4].y, 0);
    EXPECT_TRUE(m.normalsPending);
    EXPECT_TRUE(m.vertices[0].normalDirty);

    // move runs the pass: the moved triangle's normal follows at once
    Model v;
    v.vertices = {at(0, 0, 0, false), at(1, 0, 0, false), at(0, 1, 0)};
    oneMesh(v);
    moveSelection(v, 0, 0, 1);
    EXPECT_FALSE(v.vertices[0].normalDirty);
    EXPECT_LT(v.vertices[0].normalZ, 0.99f);
    EXPECT_GT(v.vertices[0].normalZ, 0.5f);
}

TEST(Transforms, MirrorKeepsFacing) {
    // a mesh facing +z mirrored on x still faces +z, with x reflected through the mesh centre
    Model m;
    m.vertices = {at(0, 0, 0), at(3, 0, 0), at(0, 3, 0)};
    oneMesh(m);
    completeNormals(m);
    ASSERT_GT(facing(m, 0).z, 0.99f);
    mirrorCurrentMesh(m, 0);
    EXPECT_GT(facing(m, 0).z, 0.99f);
    EXPECT_GT(m.vertices[0].normalZ, 0.99f);
    // centre x is 1: corner 0 (was at 0) and corner 1 (was at 3) swapped by the inversion
    EXPECT_FLOAT_EQ(m.vertices[0].x, -1);
    EXPECT_FLOAT_EQ(m.vertices[1].x, 2);
    EXPECT_FLOAT_EQ(m.vertices[2].x, 2);
    EXPECT_FLOAT_EQ(m.meshes[0].halfExtentX, 2);

    // on y and z the facing survives too, for a tilted triangle
    for (int axis : {1, 2}) {
        Model t;
        t.vertices = {at(0, 0, 0), at(2, 0, 1), at(0, 2, 1)};
        oneMesh(t);
        const Vec3 before = facing(t, 0);
        mirrorCurrentMesh(t, axis);
        const Vec3 after = facing(t, 0);
        EXPECT_NEAR(after.x, before.x, 1e-6f);
        EXPECT_NEAR(after.y, axis == 1 ? -before.y : before.y, 1e-6f);
        EXPECT_NEAR(after.z, axis == 2 ? -before.z : before.z, 1e-6f);
    }

    // only the current mesh is reflected
    Model two;
    two.vertices = {at(0, 0, 0), at(3, 0, 0), at(0, 3, 0), at(5, 5, 4), at(6, 5, 5), at(5, 6, 6)};
    two.meshes.resize(2);
    two.meshes[0].triangleCount = 1;
    two.meshes[1].firstVertex = 3, two.meshes[1].triangleCount = 1;
    two.currentMesh = 1;
    mirrorCurrentMesh(two, 2);
    EXPECT_EQ(two.vertices[1].x, 3);
    EXPECT_FLOAT_EQ(two.vertices[5].z, 4);
}

TEST(Transforms, DragTable) {
    // distinct amounts so a swapped or mis-signed argument shows
    const float du = 1, dv = 2, dy = 3;
    struct Row {
        Plane plane;
        int mode;
        DragOp op;
        float x, y, z;
    };
    const Row rows[] = {
        {PlaneFront, DragMove, DragOp::Move, du, dv, 0},
        {PlaneLeft, DragMove, DragOp::Move, 0, dv, du},
        {PlaneTop, DragMove, DragOp::Move, du, 0, -dv},
        {PlaneFront, DragRotate, DragOp::Rotate, 0, 0, dy},
        {PlaneLeft, DragRotate, DragOp::Rotate, dy, 0, 0},
        {PlaneTop, DragRotate, DragOp::Rotate, 0, -dy, 0},
        {PlaneFront, DragScale, DragOp::Scale, dy, dy, dy},
        {PlaneLeft, DragScale, DragOp::Scale, dy, dy, dy},
        {PlaneTop, DragScale, DragOp::Scale, dy, dy, dy},
        {PlaneFront, 3, DragOp::None, 0, 0, 0}, // texture mode is not a transform
        {static_cast<Plane>(5), DragMove, DragOp::None, 0, 0, 0},
    };
    for (const Row& r : rows) {
        const TransformAmounts a = dragAmounts(r.plane, r.mode, du, dv, dy);
        EXPECT_EQ(a.op, r.op) << r.plane << " " << r.mode;
        EXPECT_EQ(a.x, r.x) << r.plane << " " << r.mode;
        EXPECT_EQ(a.y, r.y) << r.plane << " " << r.mode;
        EXPECT_EQ(a.z, r.z) << r.plane << " " << r.mode;
    }
    // a Top-view move drag really lands on (du, 0, -dv)
    Model m;
    m.vertices = {at(0, 0, 0), at(1, 0, 0), at(0, 1, 0)};
    oneMesh(m);
    applyDrag(m, PlaneTop, DragMove, du, dv, dy);
    expectAt(m.vertices[1], 2, 0, -2, 0);
}

TEST(Transforms, NothingToActOn) {
    // no vertices, no meshes: every operation is a no-op
    Model e;
    EXPECT_EQ(centreOfSelection(e), 0);
    moveSelection(e, 1, 1, 1);
    rotateSelection(e, 10, 10, 10);
    scaleSelection(e, 1, 1, 1);
    alignSelection(e, true, true, true);
    mirrorCurrentMesh(e, 0);
    EXPECT_FALSE(e.normalsPending);

    // nothing selected: nothing moves, the centre keeps its old value, no pass runs
    Model m;
    symmetricPair(m);
    for (Vertex& v : m.vertices) v.selected = false;
    m.centreX = 42;
    rotateSelection(m, 10, 20, 30);
    scaleSelection(m, 1, 1, 1);
    alignSelection(m, true, true, true);
    moveSelection(m, 1, 1, 1);
    expectAt(m.vertices[0], 1, 0, 0, 0);
    EXPECT_TRUE(m.vertices[0].normalDirty);
    EXPECT_FALSE(m.normalsPending);
    EXPECT_EQ(m.centreX, 42);

    // only locked vertices selected: rotate deselects them and moves nothing
    m.vertices[0].selected = m.vertices[0].locked = true;
    rotateSelection(m, 0, 0, 90);
    EXPECT_FALSE(m.vertices[0].selected);
    expectAt(m.vertices[0], 1, 0, 0, 0);

    // mirror with an empty, negative or out-of-range current mesh, or a bad axis
    Model c;
    symmetricPair(c);
    c.meshes.push_back(Mesh{}); // mesh 1 has no triangles
    for (int32_t current : {1, -1, 2}) {
        c.currentMesh = current;
        mirrorCurrentMesh(c, 0);
        expectAt(c.vertices[0], 1, 0, 0, 0);
    }
    c.currentMesh = 0;
    mirrorCurrentMesh(c, 3);
    mirrorCurrentMesh(c, -1);
    expectAt(c.vertices[0], 1, 0, 0, 0);

    // a mesh claiming more triangles than exist is clipped to the whole triangles present
    Model p;
    p.vertices = {at(0, 0, 0), at(2, 0, 0), at(0, 2, 0), at(9, 9, 9)};
    oneMesh(p);
    p.meshes[0].triangleCount = 40;
    mirrorCurrentMesh(p, 0);
    EXPECT_EQ(p.vertices[3].x, 9);
    EXPECT_FLOAT_EQ(p.vertices[0].x, 4.0f / 3 - 2);
    // a mesh starting past the array is empty
    p.meshes[0].firstVertex = 30;
    mirrorCurrentMesh(p, 0);
    EXPECT_EQ(p.vertices[3].x, 9);
}
