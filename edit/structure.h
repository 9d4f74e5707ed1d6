// Structure operations: removing and adding whole meshes and triangles.
#pragma once

#include "model/model.h"

// Removes the mesh's triangles from the vertex array (the tail moves down, shifted vertices come
// back unselected with dirty normals) and the mesh from the mesh array; later meshes move down a
// place. The current mesh stays in range (the last mesh, or 0 when none is left). Runs the
// normals pass. An index outside the meshes does nothing.
void deleteMesh(Model& m, int32_t meshIndex);
