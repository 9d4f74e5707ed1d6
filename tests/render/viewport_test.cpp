// Viewport layout, cursor mapping, snapping, wheel zoom, maximising and drag deltas (no GL).
#include "render/viewport.h"

#include <gtest/gtest.h>

namespace {
struct Rect {
    int x, top, w, h;
};

void expectRect(const Viewport& v, Rect r, int windowHeight) {
    EXPECT_EQ(v.left, r.x);
    EXPECT_EQ(v.hitLeft, r.x);
    EXPECT_EQ(v.hitTop, r.top);
    EXPECT_EQ(v.width, r.w);
    EXPECT_EQ(v.height, r.h);
    EXPECT_EQ(v.bottom, windowHeight - r.top - r.h);
}

struct Views {
    Viewport v[ViewCount];
    Views(int layout, int w, int h) { initViewports(v, layout, w, h); }
};
} // namespace

TEST(ViewportLayout, EachLayoutPlacesTheFourViews) {
    const int W = 801, H = 601; // odd sizes: the halves are integer halves
    const Rect zero = {0, 0, 0, 0}, full = {0, 0, W, H};
    Views s(0, W, H);
    // Split: Front top-left, Left top-right, Top bottom-left, 3D bottom-right.
    expectRect(s.v[ViewFront], {0, 0, 400, 300}, H);
    expectRect(s.v[ViewLeft], {400, 0, 400, 300}, H);
    expectRect(s.v[ViewTop], {0, 300, 400, 300}, H);
    expectRect(s.v[View3D], {400, 300, 400, 300}, H);
    EXPECT_EQ(s.v[ViewTop].bottom, 1); // GL y counts from the bottom of the window
    // Layouts 1-4 maximise Front, Left, Top, 3D in turn; the rest shrink to nothing.
    for (int layout = 1; layout <= 4; ++layout) {
        layoutViewports(s.v, layout, W, H);
        for (int i = ViewFront; i <= View3D; ++i)
            expectRect(s.v[i], i == layout - 1 ? full : zero, H);
    }
    // The material preview keeps whatever rectangle it was given.
    placeViewport(s.v[ViewPreview], 10, 20, 250, 235, H);
    layoutViewports(s.v, 0, W, H);
    expectRect(s.v[ViewPreview], {10, 20, 250, 235}, H);
}

TEST(ViewportLayout, ResetRestoresCameraOnly) {
    Views s(0, 800, 600);
    Viewport& v = s.v[ViewTop];
    v.panX = 12;
    v.panY = -3;
    v.distance = -9;
    v.pitch = v.yaw = v.roll = 30;
    v.scale = 250;
    v.gridSpacing = 10;
    v.showGrid = false;
    resetViewport(v);
    EXPECT_EQ(v.panX, 0);
    EXPECT_EQ(v.panY, 0);
    EXPECT_EQ(v.distance, -5.0f);
    EXPECT_EQ(v.pitch + v.yaw + v.roll, 0);
    EXPECT_EQ(v.scale, 100.0f);
    EXPECT_EQ(v.gridSpacing, 0.5f);
    // Kind, flags and rectangle are not the camera.
    EXPECT_EQ(v.kind, ViewKind::Top);
    EXPECT_FALSE(v.showGrid);
    EXPECT_EQ(v.hitTop, 300);
}

TEST(ViewportCursor, HitTestIsStrictAndMapsIntoThePlane) {
    Views s(0, 800, 600);
    Viewport& front = s.v[ViewFront]; // (0, 0, 400, 300)
    // Borders belong to no view.
    EXPECT_FALSE(hitTest(front, 0, 10));
    EXPECT_FALSE(hitTest(front, 400, 10));
    EXPECT_FALSE(hitTest(front, 10, 0));
    EXPECT_FALSE(hitTest(front, 10, 300));
    EXPECT_FALSE(hitTest(s.v[ViewLeft], 400, 10));
    // The view centre is the world origin; u grows right, v grows up.
    ASSERT_TRUE(hitTest(front, 200, 150));
    EXPECT_FLOAT_EQ(front.cursorU, 0);
    EXPECT_FLOAT_EQ(front.cursorV, 0);
    ASSERT_TRUE(hitTest(front, 250, 100));
    EXPECT_FLOAT_EQ(front.cursorU, 0.5f);
    EXPECT_FLOAT_EQ(front.cursorV, 0.5f);
    EXPECT_FLOAT_EQ(front.deltaU, 0.5f);
    EXPECT_FLOAT_EQ(front.deltaV, 0.5f);
    // A pan shifts the mapping by pan/scale.
    front.panX = 50;
    front.panY = -100;
    ASSERT_TRUE(hitTest(front, 250, 100));
    EXPECT_FLOAT_EQ(front.cursorU, 0.0f);
    EXPECT_FLOAT_EQ(front.cursorV, 1.5f);
    // A hidden (zero-size) view contains nothing.
    layoutViewports(s.v, 1, 800, 600);
    EXPECT_FALSE(hitTest(s.v[ViewLeft], 0, 0));
    EXPECT_FALSE(hitTest(s.v[ViewLeft], 200, 150));
}

TEST(ViewportCursor, SnapsOnlyWhileAVertexIsGrabbed) {
    Views s(0, 800, 600);
    Viewport& front = s.v[ViewFront];
    front.gridSpacing = 0.5f;
    front.scale = 100;
    // Pixel offsets from the centre (200, 150) giving u = -0.26 and 0.24.
    front.snapEnabled = true;
    front.snapActive = false;
    ASSERT_TRUE(hitTest(front, 200 - 26, 150));
    EXPECT_FLOAT_EQ(front.cursorU, -0.26f);
    front.snapActive = true;
    ASSERT_TRUE(hitTest(front, 200 - 26, 150));
    EXPECT_FLOAT_EQ(front.cursorU, -0.5f);
    ASSERT_TRUE(hitTest(front, 200 + 24, 150 - 76)); // v = 0.76
    EXPECT_FLOAT_EQ(front.cursorU, 0.0f);
    EXPECT_FLOAT_EQ(front.cursorV, 1.0f);
    EXPECT_FLOAT_EQ(front.deltaU, 0.5f); // deltas are between snapped positions
    // The global option off disables snapping even with a grabbed vertex.
    front.snapEnabled = false;
    ASSERT_TRUE(hitTest(front, 200 + 24, 150));
    EXPECT_FLOAT_EQ(front.cursorU, 0.24f);
    // Halves go away from zero on both sides.
    EXPECT_FLOAT_EQ(snapToGrid(0.25f, 0.5f), 0.5f);
    EXPECT_FLOAT_EQ(snapToGrid(-0.25f, 0.5f), -0.5f);
    EXPECT_FLOAT_EQ(snapToGrid(-0.24f, 0.5f), 0.0f);
    EXPECT_FLOAT_EQ(snapToGrid(12.6f, 10.0f), 10.0f);
}

TEST(ViewportCamera, WheelZoomsOnlyTheViewUnderTheCursorAboutItsCentre) {
    Views s(0, 800, 600);
    Viewport& top = s.v[ViewTop]; // centre (200, 450)
    top.panX = 37;
    top.panY = -52;
    ASSERT_TRUE(hitTest(top, 200, 450));
    const float centreU = top.cursorU, centreV = top.cursorV;
    mouseWheel(s.v, 120, 100, 400);
    EXPECT_FLOAT_EQ(top.scale, 110.0f);
    EXPECT_EQ(s.v[ViewFront].scale, 100.0f);
    EXPECT_EQ(s.v[ViewLeft].scale, 100.0f);
    EXPECT_EQ(s.v[View3D].distance, -5.0f);
    ASSERT_TRUE(hitTest(top, 200, 450));
    EXPECT_NEAR(top.cursorU, centreU, 1e-5);
    EXPECT_NEAR(top.cursorV, centreV, 1e-5);
    // A point off centre does move: the zoom really changed the mapping.
    ASSERT_TRUE(hitTest(top, 300, 450));
    EXPECT_NEAR(top.cursorU, centreU + 100 / 110.0f, 1e-5);
    // Zooming out, then the 3D view, then a zero delta.
    mouseWheel(s.v, -120, 100, 400);
    EXPECT_FLOAT_EQ(top.scale, 99.0f);
    mouseWheel(s.v, 1, 600, 450);
    EXPECT_FLOAT_EQ(s.v[View3D].distance, -4.0f);
    mouseWheel(s.v, -3, 600, 450);
    EXPECT_FLOAT_EQ(s.v[View3D].distance, -5.0f);
    mouseWheel(s.v, 0, 100, 400);
    EXPECT_FLOAT_EQ(top.scale, 99.0f);
    // On a divider nothing zooms.
    mouseWheel(s.v, 120, 400, 100);
    EXPECT_EQ(s.v[ViewFront].scale, 100.0f);
    EXPECT_EQ(s.v[ViewLeft].scale, 100.0f);
}

TEST(ViewportCamera, ToggleMaximise) {
    Views s(0, 800, 600);
    // Double click in the Left view maximises it; another double click anywhere restores.
    int layout = toggleMaximise(s.v, 0, 600, 100, 800, 600);
    EXPECT_EQ(layout, 2);
    EXPECT_EQ(s.v[ViewLeft].width, 800);
    EXPECT_EQ(s.v[ViewFront].width, 0);
    layout = toggleMaximise(s.v, layout, 5, 5, 800, 600);
    EXPECT_EQ(layout, 0);
    EXPECT_EQ(s.v[ViewLeft].hitLeft, 400);
    // The 3D view maximises to layout 4.
    EXPECT_EQ(toggleMaximise(s.v, 0, 600, 500, 800, 600), 4);
    layoutViewports(s.v, 0, 800, 600);
    // On a border no view contains the cursor: nothing changes.
    EXPECT_EQ(toggleMaximise(s.v, 0, 400, 100, 800, 600), 0);
    EXPECT_EQ(toggleMaximise(s.v, 0, 100, 300, 800, 600), 0);
    EXPECT_EQ(s.v[ViewTop].width, 400);
}

TEST(ViewportCamera, DragsPanAndOrbit) {
    Views s(0, 800, 600);
    float dx = 0, dy = 0;
    // A jump of more than 40 pixels right or down is ignored; left or up is not limited.
    EXPECT_FALSE(dragDelta(100, 100, 141, 100, false, &dx, &dy));
    EXPECT_FALSE(dragDelta(100, 100, 100, 141, false, &dx, &dy));
    ASSERT_TRUE(dragDelta(100, 100, 140, 100, false, &dx, &dy));
    EXPECT_EQ(dx, 40);
    ASSERT_TRUE(dragDelta(100, 100, 59, 100, false, &dx, &dy));
    EXPECT_EQ(dx, -41);
    // Fine mode moves a tenth per pixel.
    ASSERT_TRUE(dragDelta(100, 100, 103, 105, true, &dx, &dy));
    EXPECT_FLOAT_EQ(dx, 0.3f);
    EXPECT_FLOAT_EQ(dy, 0.5f);
    orbitView(s.v[View3D], dx, dy);
    EXPECT_FLOAT_EQ(s.v[View3D].yaw, 0.3f);
    EXPECT_FLOAT_EQ(s.v[View3D].pitch, 0.5f);
    // Pan: pixels in orthographic views (screen y is down), hundredths in 3D.
    panView(s.v[ViewFront], 10, 20);
    EXPECT_EQ(s.v[ViewFront].panX, 10);
    EXPECT_EQ(s.v[ViewFront].panY, -20);
    panView(s.v[View3D], 10, 20);
    EXPECT_FLOAT_EQ(s.v[View3D].panX, 0.1f);
    EXPECT_FLOAT_EQ(s.v[View3D].panY, -0.2f);
}
