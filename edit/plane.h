// The three orthographic view planes and how a plane's (h, w) coordinates map to the model's axes.
#pragma once

#include "model/model.h"

// Numbered as the views hand them to picking; PlaneNone for the 3D view.
enum Plane : int { PlaneNone = -1, PlaneFront = 0, PlaneTop = 1, PlaneLeft = 2 };

bool knownPlane(Plane p);

// Where a plane's coordinates lie on the axes (0 x, 1 y, 2 z): h runs along axis h, w along axis
// w times wSign, and the axis across the plane is normal (its sign as a turn seen in the view).
struct PlaneAxes {
    int h, w;
    float wSign;
    int normal;
    float normalSign;
};
// Front (x, y) across z; Top (x, -z) across -y; Left (z, y) across x. Only for known planes.
const PlaneAxes& planeAxes(Plane p);

// A vertex's plane coordinates; an unknown plane reads as Front.
void planeCoordinates(const Vertex& v, Plane p, float& h, float& w);
// The model-space vector of plane coordinates (h, w): the inverse of planeCoordinates.
void planeToAxes(Plane p, float h, float w, float out[3]);
