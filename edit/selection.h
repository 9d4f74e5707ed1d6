// Selection and locks: vertex and mesh flags, picking, rectangle selection, derived notions.
//
// Every operation is safe on any model: an empty model, a current mesh or current triangle out
// of range, or a mesh whose range reaches past the vertex array never reads outside the arrays.
// Operations on the current mesh or current triangle do nothing when that index is invalid.
#pragma once

#include "edit/plane.h"
#include "model/model.h"

#include <cstdint>

// Vertices [begin, end) of a mesh: whole triangles inside the vertex array; empty for a negative
// start.
struct VertexRange {
    int32_t begin = 0;
    int32_t end = 0;
};
// Empty for a mesh index outside the mesh array.
VertexRange meshVertexRange(const Model& m, int32_t mesh);
// t is a multiple of 3 and its three vertices exist.
bool triangleExists(const Model& m, int32_t t);

// --- whole-model flags ---
void selectAllVertices(Model& m); // hidden and locked vertices included
void selectNone(Model& m);
void lockSelectedVertices(Model& m);
void unlockSelectedVertices(Model& m);

// --- meshes ---
// Sets / clears the mesh's locked flag and the locked flag of each of its vertices.
void lockMesh(Model& m, int32_t mesh);
void unlockMesh(Model& m, int32_t mesh);
void lockAllMeshes(Model& m);
void unlockAllMeshes(Model& m);
void showAllMeshes(Model& m); // clears hidden and unlocks every mesh
void hideAllMeshes(Model& m); // sets hidden and locks every mesh
// Hidden flips; becoming hidden locks the mesh, becoming visible leaves it locked.
void toggleHiddenCurrentMesh(Model& m);
void selectCurrentMeshOnly(Model& m);
void addCurrentMeshToSelection(Model& m);
void removeCurrentMeshFromSelection(Model& m);
// Both flip the flag and run the normals pass; the smooth toggle also marks the mesh's vertices
// dirty so the new shading shows at once.
void toggleSmoothCurrentMesh(Model& m);
// Sets the smooth flag, marks the mesh's vertices and runs the pass; a bad index does nothing.
void setMeshSmooth(Model& m, int32_t mesh, bool smooth);
void toggleTrianglePinsCurrentMesh(Model& m);

// --- the current triangle (first vertex index in currentTriangle) ---
void lockCurrentTriangle(Model& m);
void unlockCurrentTriangle(Model& m);
void selectCurrentTriangleOnly(Model& m); // select none, then the triangle
void addCurrentTriangle(Model& m);
void removeCurrentTriangle(Model& m);

// --- picking ---
// The square (u0, v0)-(u1, v1), corners in either order, in the plane's coordinates; a vertex on
// its border is outside. Every vertex's picked flag is cleared, then set on those inside, and the
// last one hit in vertex order gives the last picked position. With commit the selection
// changes too: without add it becomes the vertices hit (an already selected vertex inside acts
// as add, so the whole selection is kept); with toggle in the Front plane hit vertices flip.
// Without commit (hover) selected flags are untouched. Returns whether a vertex was hit. An
// unknown plane changes nothing and hits nothing.
bool pick(Model& m, float u0, float v0, float u1, float v1, Plane plane, bool add, bool commit,
          bool toggle);
// Without add the selection is cleared first; vertices strictly inside are selected, or flipped
// with toggle in the Front plane. Picked flags are untouched; an unknown plane changes nothing.
void rectangleSelect(Model& m, float u0, float v0, float u1, float v1, Plane plane, bool add,
                     bool toggle);

// --- derived notions ---
// All three vertices selected and none locked; false for a triangle that does not exist.
bool triangleSelectedForEditing(const Model& m, int32_t t);
// Every vertex of the mesh selected (true for a mesh with no triangles); false for a bad index.
bool meshSelected(const Model& m, int32_t mesh);
// Both end vertices exist and are selected.
bool edgeSelected(const Model& m, int32_t a, int32_t b);
int32_t firstHoveredMesh(const Model& m);     // -1 when none
int32_t firstHoveredTriangle(const Model& m); // first vertex of the triangle, -1 when none
// GL texture of the texture of the material of the mesh holding the first selected vertex; 0 when
// nothing is selected or any link in that chain is missing.
uint32_t textureOfSelection(const Model& m);

// Mouse position for the pin hit tests: (x, window height - y).
void storeMouse(Model& m, int x, int y, int windowHeight);
