// Transforms of the selection: move, rotate, scale, align; mirroring the current mesh; drag
// amounts.
//
// Every operation works on selected vertices (Vertex::selected) and ends with the normals pass,
// except align, which only sets normalsPending. With nothing to act on (no vertices, nothing
// selected, an empty or out-of-range current mesh) an operation changes nothing and runs no pass.
// Undo snapshots are the caller's business: nothing here touches the undo ring.
#pragma once

#include "edit/plane.h"
#include "model/model.h"

#include <cstdint>

constexpr float kDegreesPerRadian = 57.29578f;
constexpr float kScaleUp = 1.05f;
constexpr float kScaleDown = 0.95f;
constexpr float kFineScaleUp = 1.01f;
constexpr float kFineScaleDown = 0.99f;

// Mean position of every selected vertex (locked ones included), written to m.centreX/Y/Z.
// Returns the number of selected vertices; with none the centre is left as it was.
int32_t centreOfSelection(Model& m);

// Adds (dx, dy, dz) to every selected vertex that is not locked; locked ones stay selected and
// in place.
void moveSelection(Model& m, float dx, float dy, float dz);

// Rotates the selection about its centre by ax, ay, az degrees: about Y by ay, then X by ax, then
// Z by az, in the program's sign convention (in right-handed terms Rz(az) Rx(-ax) Ry(-ay)).
// Locked vertices are deselected first and stay in place.
void rotateSelection(Model& m, float ax, float ay, float az);

// Scales the selection about its centre. Only the sign of each argument counts: > 0 grows that
// axis by 1.05 (1.01 in fine mode), < 0 shrinks it by 0.95 (0.99), 0 leaves it. Axes whose
// m.scaleX/Y/Z flag is off are left too. Locked vertices are deselected first.
void scaleSelection(Model& m, float sx, float sy, float sz);

// Sets the chosen coordinates of every selected vertex, locked ones included, to the selection's
// mean and sets m.normalsPending so the next pass recomputes normals. The caller takes the undo
// snapshot just before calling.
void alignSelection(Model& m, bool x, bool y, bool z);

// Reflects every vertex of the current mesh through the mesh's centre on one axis (0 X, 1 Y,
// 2 Z), then inverts the mesh so its front faces stay front faces. Writes the mesh's centre and
// half extents.
void mirrorCurrentMesh(Model& m, int axis);

// --- mouse drags in the orthographic views ---

// Numbered as the editor's transform modes; other modes (texture coordinates) are not drags here.
enum DragMode : int { DragMove = 0, DragRotate = 1, DragScale = 2 };

enum class DragOp { None, Move, Rotate, Scale };

struct TransformAmounts {
    DragOp op = DragOp::None;
    float x = 0, y = 0, z = 0; // arguments of the operation
};

// The operation a drag step calls: deltaU and deltaV are the cursor's change in the view plane
// (horizontal, vertical), pixelDy the window y change in pixels (down positive), already divided
// for fine mode. An unknown plane or mode gives DragOp::None.
TransformAmounts dragAmounts(Plane plane, int mode, float deltaU, float deltaV, float pixelDy);

// Runs the operation dragAmounts picks.
void applyDrag(Model& m, Plane plane, int mode, float deltaU, float deltaV, float pixelDy);
