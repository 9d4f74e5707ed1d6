// What each view's set-up puts on screen: cleared rectangle, grid, axes and rubber band.
#include "gl_test_context.h"
#include "model/texture_upload.h"
#include "render/viewport.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {
constexpr int W = kGlTestWidth, H = kGlTestHeight;
// Clear colour and the grid colour derived from it (clear + 0.2).
constexpr float kClear[3] = {0.1f, 0.2f, 0.3f};
constexpr int kBg[3] = {26, 51, 77};
constexpr int kGrid[3] = {77, 102, 128};

class ViewportDrawing : public ViewsGlTest {
  protected:
    void SetUp() override {
        ViewsGlTest::SetUp();
        if (HasFatalFailure()) return;
        // Fill the whole window with magenta so a view's clear shows where it reached.
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, W, H);
        glClearColor(1, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearColor(kClear[0], kClear[1], kClear[2], 0.5f);
    }
    bool background(int x, int y) { return rgbNear(glTestPixel(x, y), kBg[0], kBg[1], kBg[2]); }
    bool grid(int x, int y) { return glTestColourAround(x, y, kGrid[0], kGrid[1], kGrid[2]); }
};
} // namespace

TEST_F(ViewportDrawing, FrontViewClearsItsRectangleAndDrawsGridAndAxes) {
    Viewport& front = views[ViewFront]; // (0, 0, 400, 300), centre (200, 150)
    setupViewport(front);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Only the view's own rectangle is cleared.
    EXPECT_TRUE(background(10, 10));
    EXPECT_TRUE(rgbNear(glTestPixel(600, 100), 255, 0, 255));
    EXPECT_TRUE(rgbNear(glTestPixel(100, 450), 255, 0, 255));
    // Scale 100, grid 0.5: vertical lines every 50 pixels from the centre, background between.
    EXPECT_TRUE(grid(250, 125));
    EXPECT_TRUE(grid(100, 125));
    EXPECT_TRUE(background(225, 125));
    EXPECT_TRUE(background(275, 130));
    // Horizontal lines likewise, rows 100, 150 + 50k.
    EXPECT_TRUE(grid(225, 100));
    EXPECT_TRUE(grid(225, 250));
    // Axes from the origin: x red to the right, y green upwards; the other halves show grid.
    EXPECT_TRUE(glTestColourAround(300, 150, 255, 0, 0));
    EXPECT_TRUE(glTestColourAround(200, 75, 0, 255, 0));
    EXPECT_TRUE(grid(75, 150));
    EXPECT_FALSE(glTestColourAround(75, 150, 255, 0, 0));
    EXPECT_TRUE(grid(200, 225));
    EXPECT_FALSE(glTestColourAround(200, 225, 0, 255, 0));
}

TEST_F(ViewportDrawing, ZoomAndPanMoveTheGrid) {
    Viewport& front = views[ViewFront];
    front.scale = 200; // lines every 100 pixels
    front.panX = 30;   // shifted 30 pixels right
    front.showAxes = false;
    setupViewport(front);
    EXPECT_TRUE(grid(230, 125));
    EXPECT_TRUE(grid(330, 125));
    EXPECT_TRUE(background(250, 125));
    EXPECT_TRUE(background(280, 125));
}

TEST_F(ViewportDrawing, OrthographicKindsTurnTheAxesIntoTheirPlanes) {
    // Top view: u is x, v is -z, so the z axis points down the screen. Centre (200, 450).
    setupViewport(views[ViewTop]);
    EXPECT_TRUE(glTestColourAround(200, 520, 0, 0, 255));
    EXPECT_TRUE(glTestColourAround(300, 450, 255, 0, 0));
    EXPECT_FALSE(glTestColourAround(200, 380, 0, 0, 255));
    // Left view: u is z, so the z axis points right; y stays up. Centre (600, 150).
    setupViewport(views[ViewLeft]);
    EXPECT_TRUE(glTestColourAround(700, 150, 0, 0, 255));
    EXPECT_TRUE(glTestColourAround(600, 75, 0, 255, 0));
    EXPECT_FALSE(glTestColourAround(700, 150, 255, 0, 0));
}

TEST_F(ViewportDrawing, RubberBandIsAYellowRectangleInThePlane) {
    Viewport& front = views[ViewFront];
    front.showGrid = false;
    front.showAxes = false;
    ASSERT_TRUE(hitTest(front, 100, 200)); // u -1, v -0.5
    startRubberBand(front);
    ASSERT_TRUE(hitTest(front, 300, 100)); // u 1, v 0.5
    extendRubberBand(front);
    setupViewport(front);
    EXPECT_TRUE(glTestColourAround(100, 150, 255, 255, 0)); // left edge
    EXPECT_TRUE(glTestColourAround(300, 150, 255, 255, 0)); // right edge
    EXPECT_TRUE(glTestColourAround(200, 100, 255, 255, 0)); // top edge
    EXPECT_TRUE(glTestColourAround(200, 200, 255, 255, 0)); // bottom edge
    EXPECT_TRUE(background(200, 150));
    EXPECT_TRUE(background(350, 150));
    // Ended, it is gone.
    endRubberBand(front);
    setupViewport(front);
    EXPECT_FALSE(glTestColourAround(100, 150, 255, 255, 0));
}

TEST_F(ViewportDrawing, PerspectiveViewShowsAxesAndGridInDepth) {
    Viewport& v3d = views[View3D]; // (400, 300, 400, 300), centre (600, 450)
    setupViewport(v3d);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Camera 5 units back, 45 degrees vertically: 72.4 pixels per unit at the origin.
    EXPECT_TRUE(glTestColourAround(600, 400, 0, 255, 0));
    EXPECT_TRUE(grid(636, 432)); // the line x = 0.5
    EXPECT_TRUE(grid(618, 414)); // the line y = 0.5
    EXPECT_TRUE(background(618, 432));
    EXPECT_TRUE(rgbNear(glTestPixel(200, 450), 255, 0, 255));
    // The perspective set-up leaves lighting on for the model.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    // The floor grid lies edge-on through the centre row, in front of the x axis; without it
    // the axis shows.
    EXPECT_FALSE(glTestColourAround(680, 450, 255, 0, 0));
    v3d.showGrid = false;
    setupViewport(v3d);
    EXPECT_TRUE(glTestColourAround(680, 450, 255, 0, 0));
    EXPECT_TRUE(background(636, 432));
}

TEST_F(ViewportDrawing, HiddenViewsSetUpWithoutErrors) {
    layoutViewports(views, 4, W, H);
    for (int i = ViewFront; i <= ViewTop; ++i) setupViewport(views[i]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(views[ViewFront].height, 1);
    setupViewport(views[View3D]);
    EXPECT_TRUE(background(100, 100));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ViewportDrawing, AReferencePictureCoversTheGridOfItsOrthographicViewOnly) {
    const uint8_t blue[4 * 4] = {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255};
    ReferencePicture picture;
    picture.texture = uploadTexture(blue, 2, 2);
    ASSERT_NE(picture.texture, 0u);
    picture.centreU = 0.5f, picture.width = 1, picture.height = 0.5f; // x 200..300, y 125..175
    views[ViewFront].reference = picture;
    views[View3D].reference = picture;
    setupViewport(views[ViewFront]);
    setupViewport(views[View3D]);
    EXPECT_TRUE(rgbNear(glTestPixel(250, 140), 0, 0, 255)); // over a grid line
    EXPECT_TRUE(rgbNear(glTestPixel(225, 160), 0, 0, 255));
    EXPECT_TRUE(grid(250, 115));                             // above it the grid again
    EXPECT_FALSE(rgbNear(glTestPixel(650, 450), 0, 0, 255)); // the 3D view's centre
    // Half opacity lets the background through.
    views[ViewFront].reference.opacity = 0.5f;
    setupViewport(views[ViewFront]);
    EXPECT_TRUE(rgbNear(glTestPixel(225, 160), 13, 26, 166, 8));
    deleteTexture(picture.texture);
}
