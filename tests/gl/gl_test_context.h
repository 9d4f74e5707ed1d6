// A real OpenGL context for drawing tests: Mesa under Xvfb, compatibility profile.
#pragma once

#include "render/viewport.h"

#include <GL/gl.h>
#include <cstdint>
#include <gtest/gtest.h>

// Makes a context current on a hidden surface of the given size; false when none can be made.
bool glTestContextStart(int width, int height);
void glTestContextStop();
// True while a started context has not been stopped.
bool glTestContextReady();

// The colour at window pixel (x, y) with y measured from the top, as 0..255 components.
struct Rgb {
    int r, g, b;
};
Rgb glTestPixel(int x, int yFromTop);
// True when every component is within tolerance of the expected one.
bool rgbNear(const Rgb& got, int r, int g, int b, int tolerance = 6);
// True when some pixel within radius (a square) of (x, y) has the colour: lines and points that
// fall on a pixel boundary may land on either side.
bool glTestColourAround(int x, int yFromTop, int r, int g, int b, int radius = 1);

// The window size of every drawing test.
constexpr int kGlTestWidth = 800, kGlTestHeight = 600;

// Base of the drawing fixtures: the suites share one context, started by the first that runs.
class GlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!glTestContextReady()) {
            ASSERT_TRUE(glTestContextStart(kGlTestWidth, kGlTestHeight));
        }
    }
};

// Base of the fixtures that draw through the views: laid out over the whole window, with the depth
// test as the editor's GL start-up leaves it. A fixture's own SetUp returns when this one failed.
class ViewsGlTest : public GlTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(glTestContextReady());
        glDepthFunc(GL_LEQUAL);
        initViewports(views, kLayoutSplit, kGlTestWidth, kGlTestHeight);
    }
    Viewport views[ViewCount];
};
