// Subdivision: corner order and midpoints, counts and renumbering, and one-pass walks that match
// splitting one triangle or mesh at a time.
#include "edit/subdivide.h"

#include "edit/normals.h"
#include "mesh_builders.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Triangle 0 becomes P (0,0), Q (2,0), R (0,2) in the z = 0 plane, with texture coordinates
// (0,0), (1,0), (0,1) and red running 1, 0, 0.
void setRightTriangle(Model& m) {
    const float xy[3][2] = {{0, 0}, {2, 0}, {0, 2}};
    for (int i = 0; i < 3; ++i) {
        Vertex& v = m.vertices[i];
        v.x = xy[i][0], v.y = xy[i][1], v.z = 0;
        v.textureX = xy[i][0] / 2, v.textureY = xy[i][1] / 2;
        v.colourRed = i == 0 ? 1.0f : 0.0f;
    }
}

// The twelve corners P, PQ, PR, PQ, Q, QR, PQ, QR, PR, PR, QR, R of that triangle, from index t.
void expectSplitOfRightTriangle(const Model& m, int t) {
    const float xy[12][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 0}, {2, 0}, {1, 1},
                             {1, 0}, {1, 1}, {0, 1}, {0, 1}, {1, 1}, {0, 2}};
    for (int i = 0; i < 12; ++i) {
        const Vertex& v = m.vertices[t + i];
        EXPECT_EQ(v.x, xy[i][0]) << i;
        EXPECT_EQ(v.y, xy[i][1]) << i;
        EXPECT_EQ(v.textureX, xy[i][0] / 2) << i;
        EXPECT_EQ(v.textureY, xy[i][1] / 2) << i;
    }
    EXPECT_EQ(m.vertices[t + 1].colourRed, 0.5f); // PQ
    EXPECT_EQ(m.vertices[t + 5].colourRed, 0.0f); // QR
}

// Same geometry, flags, normals and meshes; normals are completed on both first.
void expectSameModel(Model& a, Model& b) {
    completeNormals(a);
    completeNormals(b);
    ASSERT_EQ(vertexCount(a), vertexCount(b));
    for (int i = 0; i < vertexCount(a); ++i) {
        const Vertex &p = a.vertices[i], &q = b.vertices[i];
        EXPECT_TRUE(p.x == q.x && p.y == q.y && p.z == q.z && p.textureX == q.textureX &&
                    p.colourRed == q.colourRed && p.normalZ == q.normalZ)
            << "vertex " << i;
        EXPECT_EQ(p.selected, q.selected) << "vertex " << i;
        EXPECT_EQ(p.locked, q.locked) << "vertex " << i;
    }
    ASSERT_EQ(meshCount(a), meshCount(b));
    for (int k = 0; k < meshCount(a); ++k) {
        EXPECT_EQ(a.meshes[k].firstVertex, b.meshes[k].firstVertex) << "mesh " << k;
        EXPECT_EQ(a.meshes[k].triangleCount, b.meshes[k].triangleCount) << "mesh " << k;
    }
}

void copyGeometry(const Model& from, Model& to) {
    to.vertices = from.vertices;
    to.meshes = from.meshes;
}

} // namespace

TEST(Subdivide, Mesh) {
    // a mesh of 2 triangles becomes 8, and the mesh behind keeps its geometry 18 vertices later
    Model m;
    addMesh(m, 2);
    addMesh(m, 1);
    setRightTriangle(m);
    m.vertices[4].locked = true;
    m.vertices[7].selected = m.vertices[7].locked = true;
    subdivideMesh(m, 0);
    ASSERT_EQ(vertexCount(m), 27);
    EXPECT_EQ(m.meshes[0].triangleCount, 8);
    EXPECT_EQ(m.meshes[1].firstVertex, 24);
    EXPECT_EQ(m.meshes[1].triangleCount, 1);
    EXPECT_EQ(m.vertices[24].x, 6);
    EXPECT_EQ(m.vertices[25].y, 1);
    expectSplitOfRightTriangle(m, 0);
    // the mesh ends selected and unlocked; the vertices behind lose selection, keep their lock
    for (int i = 0; i < 24; ++i) EXPECT_TRUE(m.vertices[i].selected && !m.vertices[i].locked);
    EXPECT_FALSE(m.vertices[25].selected);
    EXPECT_TRUE(m.vertices[25].locked);
    // the four parts keep the winding of the triangle they replace
    completeNormals(m);
    for (int t = 0; t < 12; t += 3) EXPECT_GT(m.vertices[t].normalZ, 0) << t;

    // a bad index, an empty mesh, an empty model: nothing
    addMesh(m, 0);
    subdivideMesh(m, 2);
    subdivideMesh(m, 3);
    subdivideMesh(m, -1);
    EXPECT_EQ(vertexCount(m), 27);
    Model e;
    subdivideMesh(e, 0);
    subdivideAllMeshes(e);
    subdivideSelectedTriangles(e);
    subdivideTriangle(e, 0);
    EXPECT_EQ(vertexCount(e), 0);
}

TEST(Subdivide, Triangle) {
    // triangle 0 of a 3-triangle mesh: the mesh has 6, the parts sit at 0-11, the rest follows
    Model m;
    addMesh(m, 3);
    addMesh(m, 1);
    setRightTriangle(m);
    selectTriangle(m, 0);
    m.vertices[4].selected = m.vertices[4].locked = true;
    subdivideTriangle(m, 0);
    ASSERT_EQ(vertexCount(m), 21);
    EXPECT_EQ(m.meshes[0].triangleCount, 6);
    EXPECT_EQ(m.meshes[1].firstVertex, 18);
    expectSplitOfRightTriangle(m, 0);
    for (int i = 0; i < 12; ++i) EXPECT_FALSE(m.vertices[i].selected);
    // the old triangle 1 is now at 12 and keeps its flags
    EXPECT_EQ(m.vertices[12].x, 3);
    EXPECT_TRUE(m.vertices[13].selected && m.vertices[13].locked);
    // off the grid or outside: nothing
    subdivideTriangle(m, 1);
    subdivideTriangle(m, 21);
    EXPECT_EQ(vertexCount(m), 21);
}

TEST(Subdivide, SelectedTriangles) {
    // selected triangles in two meshes are both split; one with a locked corner is not
    Model m;
    addMesh(m, 2);
    addMesh(m, 2);
    selectTriangle(m, 3);
    selectTriangle(m, 6);
    selectTriangle(m, 9);
    m.vertices[11].locked = true;
    subdivideSelectedTriangles(m);
    ASSERT_EQ(vertexCount(m), 30);
    EXPECT_EQ(m.meshes[0].triangleCount, 5);
    EXPECT_EQ(m.meshes[1].firstVertex, 15);
    EXPECT_EQ(m.meshes[1].triangleCount, 5);
    EXPECT_EQ(m.vertices[27].x, 9); // the locked one, moved on
    EXPECT_EQ(m.currentTriangle, 15);

    // the one-pass walk gives what splitting each selected triangle in turn gives, walking on
    // past the four new triangles with the count re-read
    Model a, b;
    std::srand(7);
    for (int k : {5, 1, 7, 3}) addMesh(a, k);
    for (Vertex& v : a.vertices) {
        v.selected = std::rand() % 4 != 0;
        v.locked = std::rand() % 9 == 0;
        v.colourRed = static_cast<float>(std::rand() % 5);
    }
    copyGeometry(a, b);
    subdivideSelectedTriangles(a);
    for (int t = 0; t < vertexCount(b);) {
        bool split = true;
        for (int i = t; i < t + 3; ++i)
            split = split && b.vertices[i].selected && !b.vertices[i].locked;
        if (!split) {
            t += 3;
            continue;
        }
        b.currentTriangle = t;
        subdivideTriangle(b, t);
        t += 12;
    }
    EXPECT_GT(vertexCount(a), 48);
    expectSameModel(a, b);
    EXPECT_EQ(a.currentTriangle, b.currentTriangle);
}

TEST(Subdivide, AllMeshes) {
    // every mesh split as subdividing each in order would, with a gap vertex run between meshes
    // losing its selection, and the current mesh unchanged
    Model a, b;
    for (int k : {2, 1, 3}) addMesh(a, k);
    a.meshes[2].firstVertex += 3; // a stray triangle between meshes 1 and 2
    addMesh(a, 1);
    a.meshes.pop_back();
    for (Vertex& v : a.vertices) v.selected = true;
    a.currentMesh = 1;
    copyGeometry(a, b);
    subdivideAllMeshes(a);
    for (int k = 0; k < meshCount(b); ++k) subdivideMesh(b, k);
    EXPECT_EQ(a.currentMesh, 1);
    EXPECT_EQ(a.meshes[2].triangleCount, 12);
    EXPECT_FALSE(a.vertices[36].selected);
    expectSameModel(a, b);

    // overlapping meshes: a shared triangle is split once and both ranges stay inside
    Model o;
    addMesh(o, 3);
    Mesh inner;
    inner.firstVertex = 3, inner.triangleCount = 1;
    o.meshes.push_back(inner);
    subdivideAllMeshes(o);
    EXPECT_EQ(vertexCount(o), 36);
    EXPECT_EQ(o.meshes[0].triangleCount, 12);
    EXPECT_EQ(o.meshes[1].firstVertex, 12);
    EXPECT_EQ(o.meshes[1].triangleCount, 4);
}

TEST(Subdivide, BrokenLayouts) {
    // a mesh claiming triangles past the array and a trailing partial triangle: only whole
    // triangles inside the array are split, and the mesh is clipped to what it covers
    Model m;
    addMesh(m, 2);
    m.meshes[0].triangleCount = 30;
    m.vertices.emplace_back();
    subdivideMesh(m, 0);
    EXPECT_EQ(vertexCount(m), 24);
    EXPECT_EQ(m.meshes[0].triangleCount, 8);
    // a mesh starting past the array is pulled to its end and covers nothing
    Mesh stray;
    stray.firstVertex = 99, stray.triangleCount = 4;
    m.meshes.push_back(stray);
    subdivideAllMeshes(m);
    EXPECT_EQ(vertexCount(m), 96);
    EXPECT_EQ(m.meshes[1].firstVertex, 96);
    EXPECT_EQ(m.meshes[1].triangleCount, 0);
}
