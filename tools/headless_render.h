// Drawing a model's views without a display: an offscreen OSMesa context, the editor's own view
// code, and the PNG file the picture goes into.
#pragma once

#include "model/model.h"

#include <cstdint>
#include <string>
#include <vector>

// Sides of a picture, in pixels.
constexpr int kMaxRenderSide = 4096;

// An OpenGL context that draws into memory; current on this thread while open.
struct OffscreenContext {
    void* context = nullptr; // the OSMesa context
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // RGBA, rows bottom to top
};
bool openOffscreenContext(OffscreenContext& c, int width, int height, std::string& error);
void closeOffscreenContext(OffscreenContext& c);

// How a picture differs from the editor's start: frame fits every view to the visible model;
// thumbnail frames too, shows the shading alone (no grid, axes, points, wireframe or pins) and
// turns the 3D view to a three-quarter view from above.
struct RenderLook {
    bool frame = false;
    bool thumbnail = false;
};

// The views the layout shows at width x height, drawn as the editor draws them with its view
// toolbars as they start, Show Materials on in every view; the split layout gets its dividers.
// Nothing counts as under the cursor. Waits until the drawing is in the context's pixels.
void drawModelViews(Model& m, int layout, int width, int height, const RenderLook& look = {});

// A PNG file of the picture: RGBA rows bottom to top in, opaque RGB out (a window shows no
// alpha). Empty when compression fails.
std::string encodePng(const std::uint8_t* rgbaBottomUp, int width, int height);
