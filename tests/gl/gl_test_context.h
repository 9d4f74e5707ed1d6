// A real OpenGL context for drawing tests: Mesa under Xvfb, compatibility profile.
#pragma once

#include <cstdint>

// Makes a context current on a hidden surface of the given size; false when none can be made.
bool glTestContextStart(int width, int height);
void glTestContextStop();

// The colour at window pixel (x, y) with y measured from the top, as 0..255 components.
struct Rgb {
    int r, g, b;
};
Rgb glTestPixel(int x, int yFromTop);
// True when every component is within tolerance of the expected one.
bool rgbNear(const Rgb& got, int r, int g, int b, int tolerance = 6);
