// Typed transforms of the selection about its bounding box centre.
#include "edit/numeric_transforms.h"

#include "edit/normals.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool movable(const Vertex& v) {
    return v.selected && !v.locked;
}

// Applies f to every movable vertex's position (in double), marks it and runs the pass.
template <typename F> bool transformMovable(Model& m, F f) {
    bool moved = false;
    for (Vertex& v : m.vertices) {
        if (!movable(v)) continue;
        double p[3] = {v.x, v.y, v.z};
        f(p);
        v.x = static_cast<float>(p[0]);
        v.y = static_cast<float>(p[1]);
        v.z = static_cast<float>(p[2]);
        v.normalDirty = true;
        moved = true;
    }
    if (moved) recalculateNormals(m);
    return moved;
}

// Turns (a, b) counter-clockwise by the angle, seen from the axis they are perpendicular to,
// when a, b are in that axis' right-handed order (y, z about x; z, x about y; x, y about z).
void turn(double& a, double& b, double c, double s) {
    const double na = c * a - s * b;
    b = s * a + c * b;
    a = na;
}

} // namespace

bool movableSelectionCentre(const Model& m, double centre[3]) {
    bool any = false;
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (const Vertex& v : m.vertices) {
        if (!movable(v)) continue;
        const double p[3] = {v.x, v.y, v.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = any ? std::min(lo[a], p[a]) : p[a];
            hi[a] = any ? std::max(hi[a], p[a]) : p[a];
        }
        any = true;
    }
    if (!any) return false;
    for (int a = 0; a < 3; ++a) centre[a] = (lo[a] + hi[a]) / 2;
    return true;
}

bool moveSelectionBy(Model& m, double dx, double dy, double dz) {
    return transformMovable(m, [&](double p[3]) {
        p[0] += dx;
        p[1] += dy;
        p[2] += dz;
    });
}

bool rotateSelectionBy(Model& m, double ax, double ay, double az) {
    double c[3];
    if (!movableSelectionCentre(m, c)) return false;
    const double toRadians = std::acos(-1.0) / 180;
    const double cx = std::cos(ax * toRadians), sx = std::sin(ax * toRadians);
    const double cy = std::cos(ay * toRadians), sy = std::sin(ay * toRadians);
    const double cz = std::cos(az * toRadians), sz = std::sin(az * toRadians);
    return transformMovable(m, [&](double p[3]) {
        double d[3] = {p[0] - c[0], p[1] - c[1], p[2] - c[2]};
        turn(d[1], d[2], cx, sx);
        turn(d[2], d[0], cy, sy);
        turn(d[0], d[1], cz, sz);
        for (int a = 0; a < 3; ++a) p[a] = c[a] + d[a];
    });
}

bool scaleSelectionBy(Model& m, double sx, double sy, double sz) {
    double c[3];
    if (!movableSelectionCentre(m, c)) return false;
    const double f[3] = {sx, sy, sz};
    return transformMovable(m, [&](double p[3]) {
        for (int a = 0; a < 3; ++a) p[a] = c[a] + f[a] * (p[a] - c[a]);
    });
}

bool mirrorSelection(Model& m, int axis) {
    if (axis < 0 || axis > 2) return false;
    double f[3] = {1, 1, 1};
    f[axis] = -1;
    if (!scaleSelectionBy(m, f[0], f[1], f[2])) return false;
    // The reflection reversed the winding of every triangle it moved whole.
    for (int32_t t = 0; t + 2 < vertexCount(m); t += 3) {
        Vertex& a = m.vertices[t];
        Vertex& b = m.vertices[t + 1];
        if (!movable(a) || !movable(b) || !movable(m.vertices[t + 2])) continue;
        std::swap(a.x, b.x), std::swap(a.y, b.y), std::swap(a.z, b.z);
        std::swap(a.textureX, b.textureX), std::swap(a.textureY, b.textureY);
        a.normalDirty = b.normalDirty = true;
    }
    recalculateNormals(m);
    return true;
}

bool transformSelection(Model& m, const TransformValues& values) {
    bool moved = false;
    if (values.move)
        moved |= moveSelectionBy(m, values.moveBy[0], values.moveBy[1], values.moveBy[2]);
    if (values.rotate)
        moved |= rotateSelectionBy(m, values.degrees[0], values.degrees[1], values.degrees[2]);
    if (values.scale)
        moved |= scaleSelectionBy(m, values.factors[0], values.factors[1], values.factors[2]);
    return moved;
}
