// Structure operations: removing, adding and inverting whole meshes and triangles.
#pragma once

#include "model/model.h"

// Removes the mesh's triangles from the vertex array (the tail moves down, shifted vertices come
// back unselected with dirty normals) and the mesh from the mesh array; later meshes move down a
// place. The current mesh stays in range (the last mesh, or 0 when none is left). Runs the
// normals pass. An index outside the meshes does nothing.
void deleteMesh(Model& m, int32_t meshIndex);

// Swaps the position and texture coordinate of the first two corners of every triangle of the
// mesh (colours, flags and normals stay with their index), reversing its winding so front and
// back faces swap. Only whole triangles inside the vertex array are touched; an index outside the
// meshes does nothing. Runs the normals pass.
void invertMesh(Model& m, int32_t meshIndex);

// The same for the one triangle whose first corner is vertex t. Does nothing unless t is a
// multiple of 3 whose triangle lies inside the vertex array.
void invertTriangle(Model& m, int32_t t);
