// The plane table: each plane's coordinates and their way back to the axes agree.
#include "edit/plane.h"

#include <gtest/gtest.h>

TEST(Plane, AxesInvertCoordinatesAndUnknownPlanesAreRefused) {
    Vertex v;
    v.x = 1, v.y = 2, v.z = 3;
    // Front (x, y), Top (x, -z), Left (z, y); back to the axes gives the vertex minus its depth.
    const float axes[3] = {1, 2, 3};
    const float expected[3][2] = {{1, 2}, {1, -3}, {3, 2}};
    for (Plane p : {PlaneFront, PlaneTop, PlaneLeft}) {
        float h = 0, w = 0, at[3];
        planeCoordinates(v, p, h, w);
        EXPECT_EQ(h, expected[p][0]) << p;
        EXPECT_EQ(w, expected[p][1]) << p;
        planeToAxes(p, h, w, at);
        at[planeAxes(p).normal] = axes[planeAxes(p).normal];
        EXPECT_EQ(at[0], 1) << p;
        EXPECT_EQ(at[1], 2) << p;
        EXPECT_EQ(at[2], 3) << p;
    }
    EXPECT_FALSE(knownPlane(PlaneNone));
    EXPECT_FALSE(knownPlane(static_cast<Plane>(3)));
}
