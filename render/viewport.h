// Viewports and cameras: the view record, the layout of the four views, cursor mapping with
// snapping, wheel and drag camera changes, and each view's per-frame GL set-up.
#pragma once

#include "edit/plane.h"

#include <cstdint>

enum class ViewKind : int32_t { Top = 1, Left = 2, Front = 3, Perspective = 4 };

// A picture drawn behind the model and over the grid of an orthographic view, centred at
// (centreU, centreV) of the view plane and width x height world units; texture 0: none.
struct ReferencePicture {
    uint32_t texture = 0;
    float centreU = 0, centreV = 0;
    float width = 0, height = 0;
    float opacity = 1;
};

struct Viewport {
    int32_t bottom = 0; // lower edge in GL window coordinates (y up)
    int32_t left = 0;
    int32_t width = 0, height = 0;
    int32_t hitLeft = 0, hitTop = 0; // top-left corner in mouse coordinates (y down)
    ViewKind kind = ViewKind::Perspective;
    float scale = 100.0f; // orthographic pixels per world unit
    float gridSpacing = 0.5f;
    bool showGrid = true, showAxes = false;
    float panX = 0, panY = 0; // pixels (orthographic) or world units (perspective)
    float distance = -5.0f;
    float pitch = 0, yaw = 0, roll = 0; // degrees
    float cursorU = 0, cursorV = 0;     // cursor in the view plane, world units
    float deltaU = 0, deltaV = 0;       // change since this view's previous hit test
    bool dragging = false;
    bool rubberBand = false;
    bool snapActive = false;  // a vertex was grabbed here: snap the cursor while dragging
    bool snapEnabled = false; // copy of the global snap-to-grid option
    float bandStartU = 0, bandStartV = 0, bandEndU = 0, bandEndV = 0;
    ReferencePicture reference; // orthographic views only
};

// The five views, in the order the editor keeps them.
enum ViewId { ViewFront, ViewLeft, ViewTop, View3D, ViewPreview, ViewCount };
// The four views of the editor's window, and the three orthographic ones in the order clicks
// reach them.
constexpr ViewId kMainViews[] = {ViewFront, ViewLeft, ViewTop, View3D};
constexpr ViewId kOrthoViews[] = {ViewFront, ViewLeft, ViewTop};

struct ViewInfo {
    const char* label; // shown as the Edit Toolbar caption
    ViewKind kind;     // given at start-up
    Plane plane;       // handed to picking and rectangle selection; PlaneNone for the 3D views
};
const ViewInfo& viewInfo(ViewId view);

// Layouts: 0 four-way split, 1 Front, 2 Left, 3 Top, 4 3D maximised.
constexpr int kLayoutSplit = 0;
constexpr int kLayoutCount = 5;

// Camera defaults, grid on, no drag, snapping enabled; kind Perspective.
void initViewport(Viewport& view);
// Camera back to defaults; kind, flags and rectangle stay.
void resetViewport(Viewport& view);
// Start-up: every view initialised, kinds and grid/axes flags set, then laid out.
void initViewports(Viewport views[ViewCount], int layout, int windowWidth, int windowHeight);

void placeViewport(Viewport& view, int x, int top, int width, int height, int windowHeight);
// Places Front, Left, Top and 3D for the layout; the preview view is left alone.
void layoutViewports(Viewport views[ViewCount], int layout, int windowWidth, int windowHeight);
// Double click: back to the split when maximised, else maximise the first view under (x, y).
// Returns the new layout, already applied.
int toggleMaximise(Viewport views[ViewCount], int layout, int x, int y, int windowWidth,
                   int windowHeight);

// True when (x, y) lies strictly inside the view; then maps the cursor into the view plane
// (snapped to the grid while snapEnabled and snapActive) and renews deltaU/deltaV.
bool hitTest(Viewport& view, int x, int y);
// Nearest multiple of the grid spacing, halves away from zero.
float snapToGrid(float value, float gridSpacing);

void startRubberBand(Viewport& view);
void extendRubberBand(Viewport& view);
void endRubberBand(Viewport& view);

// One wheel step at (x, y): orthographic views under the cursor zoom about their centre, the 3D
// view under the cursor moves its camera. Only the sign of delta counts.
void mouseWheel(Viewport views[ViewCount], int delta, int x, int y);

// Right-button drag: pixels in orthographic views, hundredths of a world unit in perspective.
void panView(Viewport& view, float dx, float dy);
// Left-button drag in the 3D view: one degree per pixel.
void orbitView(Viewport& view, float dx, float dy);
// Pixel motion between two mouse moves for drags. False for a jump of more than 40 pixels
// right or down; fine mode divides the motion by 10.
bool dragDelta(int prevX, int prevY, int x, int y, bool fineMode, float* dx, float* dy);

// Scissor, viewport, lights, projection and camera of one view, then its grid, reference
// picture (orthographic views), rubber band and
// axes. Leaves the matrices in place for the model drawing. A zero height is raised to 1.
void setupViewport(Viewport& view);
