// Welding: corners that nearly coincide are moved onto one position, bit for bit.
#pragma once

#include "model/model.h"

#include <cstdint>

// Gathers the welded corners of vertices [begin, end) (only selected ones when selectedOnly;
// locked ones never) into clusters: in index order, a corner not yet in a cluster starts one
// with every other such corner closer than distance on every axis, the coincidence test of the
// smooth normals. Each cluster of two or more moves to its mean position, so its corners end
// bit-identical. Marks the moved corners' normals (a smooth mesh's all) and runs the normals
// pass when anything moved. Returns the number of corners whose position changed; a distance
// that is not a positive finite number moves nothing.
int32_t weldVertices(Model& m, int32_t begin, int32_t end, bool selectedOnly, float distance);

// The selected, unlocked corners of the whole model.
int32_t weldSelectedVertices(Model& m, float distance);
// Every unlocked corner of one mesh; an index outside the meshes moves nothing.
int32_t weldMesh(Model& m, int32_t mesh, float distance);
