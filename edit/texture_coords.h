// Texture coordinates: dragging the selected vertices' (u, v) with the mouse.
#pragma once

#include "model/model.h"

// Deselects locked vertices, then adds (du, dv) to the texture coordinate of every vertex still
// selected. Positions do not change, so no normal is marked and no pass runs.
void moveTextureCoordinates(Model& m, float du, float dv);

// The (du, dv) of a texture drag step in view plane 0 Front, 1 Top or 2 Left: dx, dy are the
// mouse movement in pixels (x right, y down), already divided for fine mode, and scale the view's
// pixels per world unit. An unknown plane or a scale that is not positive gives (0, 0).
void textureDragAmounts(int plane, float dx, float dy, float scale, float& du, float& dv);
