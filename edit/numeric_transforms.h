// Transforms of the selection by typed amounts: move, rotate, scale and mirror about the centre
// of the selection's bounding box.
//
// Only selected vertices that are not locked move; locked ones stay put and keep their flags.
// Every operation returns whether anything moved and ends with the normals pass when it did.
// Undo snapshots are the caller's business.
#pragma once

#include "model/model.h"

// The typed transform: the three steps run in the order move, rotate, scale, each one only when
// its flag is set. Angles in degrees, applied about x, then y, then z; a positive angle turns
// counter-clockwise seen from the positive axis.
struct TransformValues {
    bool move = false, rotate = false, scale = false;
    double moveBy[3] = {0, 0, 0};
    double degrees[3] = {0, 0, 0};
    double factors[3] = {1, 1, 1};
};

// Centre of the bounding box of the selected, unlocked vertices; false when there are none.
bool movableSelectionCentre(const Model& m, double centre[3]);

bool moveSelectionBy(Model& m, double dx, double dy, double dz);
bool rotateSelectionBy(Model& m, double ax, double ay, double az);
bool scaleSelectionBy(Model& m, double sx, double sy, double sz);
// Reflects the selection on one axis (0 X, 1 Y, 2 Z) through its centre and reverses the winding
// of every triangle whose three corners moved, so their front faces stay front faces.
bool mirrorSelection(Model& m, int axis);

// The steps the values ask for, in order; true when any of them moved something.
bool transformSelection(Model& m, const TransformValues& values);
