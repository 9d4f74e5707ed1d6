// Extend: pulling the selected edges out into a new mesh.
//
// A triangle takes part when at least two of its corners are selected; its edge (first F, second
// S) is V1-V0, V2-V1 or V0-V2 for the pair selected, V0-V2 when all three are. Every edge moves
// along one offset D, the mean of the edges' directions about the selection's centre C. The new
// triangles go into a new last mesh (flat, unlocked, visible) with the material of the mesh of the
// last triangle taking part; the source geometry, the selection and the current mesh stay as they
// were. New vertices copy texture coordinate and colour from the corner they come from. Runs the
// normals pass.
//
// Both are undoable: the caller takes the snapshot before calling, also when the call fails.
#pragma once

#include "edit/structure.h"
#include "model/model.h"

// Two triangles per edge: F, S, S + D, F, S + D, F + D. The direction of an edge is the unit face
// normal of C, F + nF, S + nS (n being the vertex normals, brought up to date first); D is their
// mean, not normalised. With no triangle taking part nothing changes and the result carries
// "Extend Failed" / "At Least 2 vertices must be selected".
EditResult extendSelectedVertices(Model& m);

// One spike per edge: F, S, S + D, the last with texture coordinate (u of S, v of S + 1). The
// direction of an edge is (F - C) x (S - C); D is their mean times 10. Fails as above when fewer
// than two triangles take part.
EditResult extendSelectedVerticesSawTooth(Model& m);
