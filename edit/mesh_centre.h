// Centre of a mesh: the mean of its vertex positions and its half extents about that mean.
#pragma once

#include "model/model.h"

// Writes the mean position of the mesh's vertices (every triangle corner counted) into the
// model's centre, and the largest per-axis distance from it into the mesh's half extents and
// largest half extent. Only whole triangles inside the vertex array count. Returns the number
// of vertices used; with none (empty mesh, bad index) nothing is written and 0 is returned.
int32_t meshCentre(Model& m, int32_t meshIndex);
