// The views of a layout drawn with the model, the dividers between them, and the GL state every
// new context starts from. Shared by the editor's frame and the headless renderer.
#pragma once

#include "model/model.h"
#include "render/viewport.h"

// What one view shows, as its view toolbar's toggles say.
struct ViewOptions {
    bool grid = true, axes = true;
    bool points = true, wire = true, shaded = false, pins = false;
};

// Clear colour (the background, alpha 0.5), depth and shading state of a fresh context.
void initDrawingState(float red, float green, float blue);

// Whether the layout shows the view: the split shows all four, layout k only view k - 1.
bool layoutShows(int layout, ViewId id);

// One view: its set-up (grid and axes as asked), then the model's passes under its camera.
// Pins turn towards camera3D, the 3D view's camera.
void drawView(Viewport& view, Model& m, const ViewOptions& options, bool renderLit,
              const Viewport& camera3D);

// Front, Left, Top and 3D in that order, those the layout shows; the orthographic views share
// one set of options. Without the pin pass the pins' hover flags are cleared.
void drawLayoutViews(Viewport views[ViewCount], Model& m, int layout, const ViewOptions& ortho,
                     const ViewOptions& view3D, bool renderLit);

// The whole window back to the clear colour and depth, parts no view covers included.
void clearWindow();

// The bars between the views of the split layout, in 2D overlay coordinates (origin top-left).
void drawDividers(int width, int height);
