// Model drawing into the current viewport: points, wireframes, shaded triangles, and the mesh
// and triangle pins with their hover test.
#pragma once

#include "model/model.h"
#include "render/viewport.h"

// The passes a view asks for, in order: points; lit or plain wireframe; shaded; pins (turned
// towards the 3D camera).
void drawViewContent(Model& m, bool points, bool wire, bool shaded, bool pins, bool renderLit,
                     const Viewport& camera3D);

// Every vertex of every visible mesh as a 5-pixel point coloured by its state.
void drawPoints(const Model& m);
// Each triangle of every visible mesh as a closed line strip.
void drawWire(const Model& m);
// The wireframe lit with each mesh's material; leaves lighting on.
void drawLitWire(const Model& m);
// Material-shaded triangles once the model is loaded; resumes a pending normal recalculation.
void drawShaded(Model& m);
// Mesh pins (and triangle pins where a mesh shows them), with the hover test against the
// model's mouse position. Writes pin positions, rectangles, hover and lock flags into the model.
void drawPins(Model& m, float pitch, float yaw, float roll);
// Clears the hover flags of every mesh pin and triangle pin: for frames without the pin pass.
void clearPinHover(Model& m);
