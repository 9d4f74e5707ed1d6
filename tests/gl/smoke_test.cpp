// The drawing tests' context works: a clear shows at the pixels read back.
#include "gl_test_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(GlContext, ClearColourReadsBack) {
    ASSERT_TRUE(glTestContextStart(800, 600));
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(rgbNear(glTestPixel(0, 0), 51, 102, 153));
    EXPECT_TRUE(rgbNear(glTestPixel(63, 47), 51, 102, 153));
    glTestContextStop();
}
