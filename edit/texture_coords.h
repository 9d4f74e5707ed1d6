// Texture coordinates: dragging the selected vertices' (u, v), scaling a mesh's, and recalculating
// a mesh's as a planar projection.
#pragma once

#include "edit/plane.h"
#include "model/model.h"

#include <cstdint>

// Deselects locked vertices, then adds (du, dv) to the texture coordinate of every vertex still
// selected. Positions do not change, so no normal is marked and no pass runs.
void moveTextureCoordinates(Model& m, float du, float dv);

// The (du, dv) of a texture drag step in view plane 0 Front, 1 Top or 2 Left: dx, dy are the
// mouse movement in pixels (x right, y down), already divided for fine mode, and scale the view's
// pixels per world unit. An unknown plane or a scale that is not positive gives (0, 0).
void textureDragAmounts(Plane plane, float dx, float dy, float scale, float& du, float& dv);

// Multiplies u by su and v by sv on every vertex of the mesh, selected or not: a scale about
// (0, 0). An index outside the meshes or a factor that is not finite changes nothing.
void scaleTextureCoordinates(Model& m, int32_t meshIndex, float su, float sv);

// Projects the mesh onto the plane across its thinnest axis (smallest half extent; on a tie z
// before y before x) and sets u and v to run from 0 to 1 over the mesh's extent on the other two
// axes, oriented as that plane's view shows it: across z u follows +x and v +y (Front), across y
// u follows +x and v -z (Top), across x u follows +z and v +y (Left). An axis without extent gives
// 0. Writes the mesh's centre and half extents; positions and normals do not change. An index
// outside the meshes or a mesh without vertices changes nothing.
void recalculateTextureCoordinates(Model& m, int32_t meshIndex);
