// Framing: what each view shows of an off-centre box after Frame All, and what the box is.
#include "render/framing.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kPi = 3.14159265f;

// A point as the view puts it on screen: pixels from the view's centre (orthographic), or eye
// coordinates (perspective), with the camera's turns applied outermost first as GL does.
void toEye(const Viewport& v, const float p[3], float out[3]) {
    auto rot = [](float a, int axis, float q[3]) {
        const float c = std::cos(a * kPi / 180), s = std::sin(a * kPi / 180);
        const int i = (axis + 1) % 3, j = (axis + 2) % 3;
        const float qi = q[i] * c - q[j] * s, qj = q[i] * s + q[j] * c;
        q[i] = qi, q[j] = qj;
    };
    float q[3] = {p[0], p[1], p[2]};
    if (v.kind == ViewKind::Perspective) {
        rot(v.roll, 2, q), rot(v.pitch, 0, q), rot(v.yaw, 1, q);
        out[0] = q[0] + v.panX, out[1] = q[1] + v.panY, out[2] = q[2] + v.distance;
        return;
    }
    if (v.kind == ViewKind::Top) rot(90, 0, q);
    if (v.kind == ViewKind::Left) rot(90, 1, q);
    for (int i = 0; i < 3; ++i) out[i] = q[i] * v.scale;
    out[0] += v.panX, out[1] += v.panY, out[2] -= 100;
}

Bounds box(float x0, float y0, float z0, float x1, float y1, float z1) {
    Bounds b;
    addPoint(b, x0, y0, z0);
    addPoint(b, x1, y1, z1);
    return b;
}

} // namespace

TEST(Framing, EveryViewShowsTheWholeBoxCentred) {
    Viewport views[ViewCount];
    initViewports(views, kLayoutSplit, 800, 600);
    views[View3D].yaw = 30, views[View3D].pitch = -20; // angles the framing must keep
    const Bounds b = box(9, 3, -8, 11, 5, -6);
    frameMainViews(views, b, 800, 600);
    EXPECT_FLOAT_EQ(views[View3D].yaw, 30);
    EXPECT_FLOAT_EQ(views[View3D].pitch, -20);
    const float tan = std::tan(22.5f * kPi / 180);
    for (ViewId id : kMainViews) {
        const Viewport& v = views[id];
        float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
        for (int corner = 0; corner < 8; ++corner) {
            const float p[3] = {corner & 1 ? b.max[0] : b.min[0], corner & 2 ? b.max[1] : b.min[1],
                                corner & 4 ? b.max[2] : b.min[2]};
            float e[3];
            toEye(v, p, e);
            // Pixels from the centre: 150 pixels per unit of tan(half field) at the depth.
            const float sx = id == View3D ? e[0] / (-e[2] * tan) * 150 : e[0];
            const float sy = id == View3D ? e[1] / (-e[2] * tan) * 150 : e[1];
            if (id == View3D)
                EXPECT_LT(e[2], -0.1f) << "in front of the camera";
            else
                EXPECT_TRUE(e[2] > -1000 && e[2] < 1000) << "inside the depth range " << id;
            lo[0] = std::min(lo[0], sx), hi[0] = std::max(hi[0], sx);
            lo[1] = std::min(lo[1], sy), hi[1] = std::max(hi[1], sy);
        }
        // Inside the 400 x 300 view with a margin, and filling a good part of it.
        EXPECT_GT(lo[0], -200) << id;
        EXPECT_LT(hi[0], 200) << id;
        EXPECT_GT(lo[1], -150) << id;
        EXPECT_LT(hi[1], 150) << id;
        EXPECT_GT(std::max(hi[0] - lo[0], hi[1] - lo[1]), 100) << id;
        if (id != View3D) {
            EXPECT_NEAR(lo[0] + hi[0], 0, 1) << "centred " << id;
            EXPECT_NEAR(lo[1] + hi[1], 0, 1) << "centred " << id;
        }
    }
}

TEST(Framing, WhatIsFramed) {
    Model m;
    m.vertices.resize(9);
    for (int i = 0; i < 9; ++i) m.vertices[i].x = static_cast<float>(i);
    m.meshes.resize(3);
    for (int k = 0; k < 3; ++k) m.meshes[k].firstVertex = 3 * k, m.meshes[k].triangleCount = 1;
    m.meshes[2].hidden = true;
    Bounds b = visibleModelBounds(m);
    EXPECT_EQ(b.min[0], 0);
    EXPECT_EQ(b.max[0], 5) << "a hidden mesh is not framed";
    // The selection, else the current mesh.
    m.currentMesh = 1;
    b = selectionBounds(m);
    EXPECT_EQ(b.min[0], 3);
    EXPECT_EQ(b.max[0], 5);
    m.vertices[7].selected = true;
    b = selectionBounds(m);
    EXPECT_EQ(b.min[0], 7);
    EXPECT_EQ(b.max[0], 7);
    // Nothing to frame leaves the camera alone.
    Viewport v;
    initViewport(v);
    frameView(v, Bounds{}, 400, 300);
    EXPECT_EQ(v.distance, -5.0f);
}

TEST(Framing, ThreeQuarterViewKeepsTheUpAxisUpright) {
    Viewport v;
    initViewport(v);
    setTurnAndTilt(v, -35, 25);
    v.distance = 0; // directions only
    const float up[3] = {0, 1, 0}, front[3] = {0, 0, 1};
    float e[3];
    toEye(v, up, e);
    EXPECT_NEAR(e[0], 0, 1e-5) << "vertical on screen";
    EXPECT_NEAR(e[1], std::cos(25 * kPi / 180), 1e-5);
    EXPECT_GT(e[2], 0) << "the top leans towards the viewer";
    toEye(v, front, e);
    EXPECT_NEAR(e[0], std::sin(-35 * kPi / 180), 1e-5) << "turned about the up axis";
}
