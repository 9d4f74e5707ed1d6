// Framing: the box around what is to be seen, and the cameras that bring it into every view.
#pragma once

#include "model/model.h"
#include "render/viewport.h"

struct Bounds {
    float min[3] = {0, 0, 0};
    float max[3] = {0, 0, 0};
    bool empty = true;
};

void addPoint(Bounds& b, float x, float y, float z);
// The vertices of every mesh that is not hidden.
Bounds visibleModelBounds(const Model& m);
// The selected vertices, or the current mesh when none is selected.
Bounds selectionBounds(const Model& m);

// The 3D camera's angles for a model turned by `turn` degrees about its up axis and then tilted
// `tilt` degrees towards the viewer (a three-quarter view from above), whatever order the camera
// applies its angles in.
void setTurnAndTilt(Viewport& view, float turn, float tilt);

// One view shows the box whole and centred with a margin: orthographic views by scale and pan,
// the perspective view by pan and distance, its angles kept. An empty box changes nothing.
void frameView(Viewport& view, const Bounds& b, int width, int height);
// Front, Left, Top and 3D; a view the layout hides is framed for its place in the split.
void frameMainViews(Viewport views[ViewCount], const Bounds& b, int windowWidth, int windowHeight);
