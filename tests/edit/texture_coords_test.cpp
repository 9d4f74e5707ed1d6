// Texture coordinates: drag amounts, locked vertices, scaling and planar recalculation.
#include "edit/texture_coords.h"
#include "edit/transforms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(TextureCoords, DragAmountsPerView) {
    float du = 0, dv = 0;
    // Front: 20 pixels right at 10 pixels per unit adds 2 to u; down lowers v
    textureDragAmounts(PlaneFront, 20, 10, 10, du, dv);
    EXPECT_FLOAT_EQ(du, 2);
    EXPECT_FLOAT_EQ(dv, -1);
    // fine mode divides the pixels by 10 first
    textureDragAmounts(PlaneFront, 20 / 10.0f, 0, 10, du, dv);
    EXPECT_FLOAT_EQ(du, 0.2f);
    // Left: u from the vertical movement (up positive), v from the horizontal
    textureDragAmounts(PlaneLeft, 20, 10, 10, du, dv);
    EXPECT_FLOAT_EQ(du, -1);
    EXPECT_FLOAT_EQ(dv, 2);
    // Top: both follow the window axes
    textureDragAmounts(PlaneTop, 20, 10, 10, du, dv);
    EXPECT_FLOAT_EQ(du, 2);
    EXPECT_FLOAT_EQ(dv, 1);
    // an unknown view or a zero scale gives no movement rather than infinities
    textureDragAmounts(static_cast<Plane>(7), 20, 10, 10, du, dv);
    EXPECT_EQ(du, 0);
    EXPECT_EQ(dv, 0);
    textureDragAmounts(PlaneFront, 20, 10, 0, du, dv);
    EXPECT_EQ(du, 0);
    EXPECT_EQ(dv, 0);
}

TEST(TextureCoords, MoveSelectedUnlocked) {
    Model m;
    m.vertices.resize(4);
    for (Vertex& v : m.vertices) {
        v.textureX = 0.5f, v.textureY = 0.25f;
        v.normalDirty = false;
        v.normalZ = 1;
    }
    m.vertices[0].selected = true;
    m.vertices[1].selected = m.vertices[1].locked = true;
    m.vertices[3].locked = true;
    moveTextureCoordinates(m, 2, -1);
    // selected and unlocked: moved
    EXPECT_FLOAT_EQ(m.vertices[0].textureX, 2.5f);
    EXPECT_FLOAT_EQ(m.vertices[0].textureY, -0.75f);
    // locked: deselected and left alone
    EXPECT_FALSE(m.vertices[1].selected);
    EXPECT_EQ(m.vertices[1].textureX, 0.5f);
    // not selected: left alone
    EXPECT_EQ(m.vertices[2].textureX, 0.5f);
    // positions did not change, so no normal was marked
    for (const Vertex& v : m.vertices) EXPECT_FALSE(v.normalDirty);
    EXPECT_EQ(m.vertices[0].x, 0);

    // an empty model is fine
    Model e;
    moveTextureCoordinates(e, 1, 1);
    EXPECT_EQ(vertexCount(e), 0);
}

namespace {
// One mesh of a box-like quad pair spanning x 1..3, y -1..1 and z 0..depth, then a second mesh.
void slab(Model& m, float depth) {
    const float p[6][3] = {{1, -1, 0}, {3, -1, 0},    {3, 1, depth},
                           {1, -1, 0}, {3, 1, depth}, {1, 1, depth}};
    m.vertices.resize(9);
    for (int i = 0; i < 6; ++i) {
        m.vertices[i].x = p[i][0], m.vertices[i].y = p[i][1], m.vertices[i].z = p[i][2];
    }
    for (int i = 6; i < 9; ++i) m.vertices[i].textureX = m.vertices[i].textureY = 0.5f;
    m.meshes.resize(2);
    m.meshes[0].triangleCount = 2;
    m.meshes[1].firstVertex = 6, m.meshes[1].triangleCount = 1;
}
} // namespace

TEST(TextureCoords, ScaleAboutTheOrigin) {
    // "By: 0.5f" on u twice takes u from 0..1 to 0..0.25, v unchanged, every vertex of the mesh
    Model m;
    slab(m, 0);
    for (int i = 0; i < 6; ++i) m.vertices[i].textureX = m.vertices[i].textureY = i % 2;
    m.vertices[1].selected = true;
    scaleTextureCoordinates(m, 0, 0.5f, 1.0f);
    scaleTextureCoordinates(m, 0, 0.5f, 1.0f);
    EXPECT_EQ(m.vertices[1].textureX, 0.25f);
    EXPECT_EQ(m.vertices[3].textureX, 0.25f);
    EXPECT_EQ(m.vertices[0].textureX, 0);
    EXPECT_EQ(m.vertices[1].textureY, 1);
    // another mesh is untouched; bad indices and non-finite factors change nothing
    EXPECT_EQ(m.vertices[6].textureX, 0.5f);
    scaleTextureCoordinates(m, 2, 3, 3);
    scaleTextureCoordinates(m, -1, 3, 3);
    scaleTextureCoordinates(m, 0, std::nanf(""), 2);
    EXPECT_EQ(m.vertices[1].textureX, 0.25f);
    EXPECT_EQ(m.vertices[1].textureY, 1);
}

TEST(TextureCoords, RecalculateProjectsAcrossTheThinnestAxis) {
    // a mesh flat in z (drawn in Front): u follows +x and v +y over the mesh's extent
    Model m;
    slab(m, 0);
    recalculateTextureCoordinates(m, 0);
    EXPECT_EQ(m.vertices[0].textureX, 0);
    EXPECT_EQ(m.vertices[0].textureY, 0);
    EXPECT_EQ(m.vertices[2].textureX, 1);
    EXPECT_EQ(m.vertices[2].textureY, 1);
    EXPECT_EQ(m.vertices[6].textureX, 0.5f); // the other mesh keeps its own

    // thinnest in y (Top view): u follows +x, v follows -z
    Model t;
    slab(t, 0);
    for (int i = 0; i < 6; ++i) std::swap(t.vertices[i].y, t.vertices[i].z);
    recalculateTextureCoordinates(t, 0);
    EXPECT_EQ(t.vertices[0].textureX, 0);
    EXPECT_EQ(t.vertices[0].textureY, 1); // z = -1 is the top of the Top view
    EXPECT_EQ(t.vertices[2].textureY, 0);

    // thinnest in x (Left view): u follows +z, v follows +y
    Model l;
    slab(l, 6);
    for (int i = 0; i < 6; ++i) l.vertices[i].x *= 0.1f;
    recalculateTextureCoordinates(l, 0);
    EXPECT_EQ(l.vertices[0].textureX, 0);
    EXPECT_EQ(l.vertices[2].textureX, 1);
    EXPECT_EQ(l.vertices[2].textureY, 1);

    // an axis without extent gives 0 rather than NaN; bad and empty meshes change nothing
    Model d;
    slab(d, 0);
    for (int i = 0; i < 6; ++i) d.vertices[i].y = 0;
    recalculateTextureCoordinates(d, 0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(d.vertices[i].textureY, 0);
    EXPECT_EQ(d.vertices[1].textureX, 1);
    d.meshes[1].triangleCount = 0;
    recalculateTextureCoordinates(d, 1);
    recalculateTextureCoordinates(d, 5);
    EXPECT_EQ(d.vertices[6].textureX, 0.5f);
}
