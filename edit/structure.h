// Structure operations: deleting, splitting, combining, duplicating, inverting and drawing meshes
// and triangles.
//
// Every operation is safe on any model: no meshes, an index outside the arrays, a mesh whose range
// reaches past the vertex array. Before an operation changes the vertex array it clips every mesh
// to the whole triangles of the array and drops a trailing partial triangle, so afterwards no mesh
// points outside the array, and new triangles start on a triangle boundary. Meshes the operations
// make always name an existing material (a model without materials gets one). Later meshes are
// renumbered by position: a mesh behind the changed vertices follows them.
//
// Undo snapshots are the caller's business. Split, combine and draw new mesh are undoable: the
// caller takes the snapshot before calling, also when the operation then fails with a message.
// Message boxes too: an operation that has one to show returns its caption and text.
#pragma once

#include "edit/plane.h"
#include "model/model.h"

#include <cstdint>
#include <string>

// What an operation tells its caller. caption and text name a message box to show (OK button, no
// icon); both are empty when there is none.
struct EditResult {
    bool changed = false;
    std::string caption;
    std::string text;
    bool hasMessage() const { return !caption.empty(); }
};

// --- layout helpers shared by the structure operations ---

// Drops a trailing partial triangle and clips every mesh to the whole triangles of the vertex
// array (a negative start becomes an empty mesh at 0).
void clipMeshesToVertices(Model& m);
// A vertex that moved to another index: a fresh vertex carrying the old position, normal, texture
// coordinate, colour and lock, selected only when keepSelected and the old one was. Its normal is
// marked for recalculation.
Vertex shiftedVertex(const Vertex& old, bool keepSelected);

// --- deleting ---

// Removes the mesh's triangles from the vertex array (the tail moves down, shifted vertices come
// back unselected with dirty normals) and the mesh from the mesh array; later meshes move down a
// place. The current mesh stays in range (the last mesh, or 0 when none is left). Runs the
// normals pass. An index outside the meshes does nothing.
void deleteMesh(Model& m, int32_t meshIndex);

// Removes triangle t (a multiple of 3 inside the array; anything else does nothing). Its mesh
// loses a triangle, and a mesh left with none is removed. Vertices behind it move down 3 and keep
// their selection and lock; later meshes follow. The current mesh keeps naming the same mesh; if
// that mesh was removed it becomes the one now at its index, or the last. Runs the normals pass.
// May remove the model's last triangle.
void deleteTriangle(Model& m, int32_t t);

// Removes every triangle selected for editing, as deleteTriangle does, in one pass. When every
// triangle of the model is selected the last one is kept and the result carries
// "Notification!" / "You are attempting to delete the last triangle in your Model.  You must
// have at least one Mesh with one Triangle.".
EditResult deleteSelectedTriangles(Model& m);

// --- new meshes from old ---

// Copies every triangle selected for editing into a new last mesh (material 0, flags clear,
// corners unselected and unlocked) and deletes the originals as deleteSelectedTriangles does.
// With none selected nothing changes and the result carries "Split Triangles to New Mesh" /
// "You must select at least one triangle!". The current mesh keeps naming the same mesh.
EditResult splitSelectionToNewMesh(Model& m);

// Copies every selected mesh (every vertex selected; an empty mesh counts), in mesh order, into
// one new flat mesh with the first one's material, then deletes them as deleteMesh does. The new
// mesh is the last and current one; nothing of it is selected. Fewer than two selected meshes
// change nothing and the result carries "Mesh Combine Failed" / "You must have at least two
// meshes selected!".
EditResult combineSelectedMeshes(Model& m);

// Appends a copy of the mesh moved by (+2, -2, +2), with its material and lock (copied corners
// keep texture coordinate, colour and lock; smooth and the other flags clear), and makes it
// current. An index outside the meshes does nothing.
void duplicateMesh(Model& m, int32_t meshIndex);

// --- winding ---

// Swaps the position and texture coordinate of the first two corners of every triangle of the
// mesh (colours, flags and normals stay with their index), reversing its winding so front and
// back faces swap. Only whole triangles inside the vertex array are touched; an index outside the
// meshes does nothing. Runs the normals pass.
void invertMesh(Model& m, int32_t meshIndex);

// The same for the one triangle whose first corner is vertex t. Does nothing unless t is a
// multiple of 3 whose triangle lies inside the vertex array.
void invertTriangle(Model& m, int32_t t);

// --- drawing ---

// Appends a two-triangle rectangle with corners (h1, w1) and (h2, w2) in the plane's coordinates
// (0 Front: x, y; 1 Top: x, -z; 2 Left: z, y), in the order of the drag, so dragging the other
// way reverses the winding. Texture coordinates run 0..1 across it. The new mesh becomes current
// and the only thing selected. A rectangle without area, a non-finite corner or an unknown plane
// changes nothing; returns whether a mesh was made.
bool drawNewMesh(Model& m, float h1, float w1, float h2, float w2, Plane plane);
