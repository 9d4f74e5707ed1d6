// Texture coordinate drags: the per-view amounts, locked vertices, and normals left alone.
#include "edit/texture_coords.h"
#include "edit/transforms.h"

#include <gtest/gtest.h>

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
    textureDragAmounts(7, 20, 10, 10, du, dv);
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
