// Subdivision: splitting triangles into four by their edge midpoints.
//
// A split triangle P, Q, R becomes P PQ PR, PQ Q QR, PQ QR PR, PR QR R in place of its three
// corners, keeping its winding; midpoints average position, texture coordinate and colour. Every
// vertex behind the first split moves up 9 per split before it, meshes grow by the triangles added
// inside their range and later meshes follow. Each scope is one pass over the vertex array, so
// many splits cost no more than one. A split that would take the vertex count past int32, or for
// which memory runs out, changes nothing. Every scope runs the normals pass when it splits.
// Undo snapshots are the caller's business.
#pragma once

#include "model/model.h"

#include <cstdint>

// Splits triangle t (a multiple of 3 inside the array; anything else does nothing). The new
// corners are unselected and unlocked; shifted vertices keep their selection and lock.
void subdivideTriangle(Model& m, int32_t t);

// Splits every triangle selected for editing (all three corners selected, none locked), as
// subdivideTriangle does; the current triangle becomes the first corner of the last one split.
void subdivideSelectedTriangles(Model& m);

// Splits every triangle of the mesh, which ends with 4 times its triangles, all selected and
// unlocked; vertices behind the mesh lose their selection. An index outside the meshes or a mesh
// without triangles does nothing.
void subdivideMesh(Model& m, int32_t meshIndex);

// Splits every triangle that lies in some mesh, each once, as subdivideMesh does for every mesh;
// every mesh ends subdivided and selected. The current mesh is unchanged.
void subdivideAllMeshes(Model& m);
