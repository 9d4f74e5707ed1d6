// The plane-to-axes table.
#include "edit/plane.h"

namespace {

constexpr PlaneAxes kAxes[] = {
    {0, 1, 1.0f, 2, 1.0f},   // Front
    {0, 2, -1.0f, 1, -1.0f}, // Top
    {2, 1, 1.0f, 0, 1.0f},   // Left
};
static_assert(sizeof kAxes / sizeof kAxes[0] == PlaneLeft + 1, "one row per plane");

float axis(const Vertex& v, int a) {
    return a == 0 ? v.x : a == 1 ? v.y : v.z;
}

} // namespace

bool knownPlane(Plane p) {
    return p == PlaneFront || p == PlaneTop || p == PlaneLeft;
}

const PlaneAxes& planeAxes(Plane p) {
    return kAxes[knownPlane(p) ? p : PlaneFront];
}

void planeCoordinates(const Vertex& v, Plane p, float& h, float& w) {
    const PlaneAxes& a = planeAxes(p);
    h = axis(v, a.h);
    w = a.wSign * axis(v, a.w);
}

void planeToAxes(Plane p, float h, float w, float out[3]) {
    const PlaneAxes& a = planeAxes(p);
    out[0] = out[1] = out[2] = 0;
    out[a.h] = h;
    out[a.w] = a.wSign * w;
}
