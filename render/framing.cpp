// Framing: bounds of the visible model or the selection, and cameras fitted to them.
#include "render/framing.h"

#include <algorithm>
#include <cmath>

namespace {

// The part of the view the box may fill.
constexpr float kOrthoFill = 0.85f;
// How far the sphere round the box stays inside the perspective view's field.
constexpr float kPerspectiveMargin = 1.05f;
constexpr float kHalfFovDegrees = 22.5f; // the 3D view's 45 degree field, halved
constexpr float kPi = 3.14159265f;
// The orthographic views clip at eye depths of +-1000 around -100.
constexpr float kNearDepthRoom = 1000.0f, kFarDepthRoom = 850.0f;

float radians(float degrees) {
    return degrees * kPi / 180.0f;
}

// Screen right, screen up and towards the viewer, as (axis, sign) pairs of each orthographic
// kind; the model is rotated into the view after pan and zoom.
struct OrthoAxes {
    int u;
    float uSign;
    int v;
    float vSign;
    int depth;
    float depthSign;
};
OrthoAxes orthoAxes(ViewKind kind) {
    switch (kind) {
    case ViewKind::Left:
        return {2, 1, 1, 1, 0, -1};
    case ViewKind::Top:
        return {0, 1, 2, -1, 1, 1};
    default:
        return {0, 1, 1, 1, 2, 1};
    }
}

// Centre and extent of the box along a signed axis, in that axis's direction.
void along(const Bounds& b, int axis, float sign, float& centre, float& lo, float& hi) {
    lo = sign > 0 ? b.min[axis] : -b.max[axis];
    hi = sign > 0 ? b.max[axis] : -b.min[axis];
    centre = (lo + hi) / 2;
}

void frameOrtho(Viewport& view, const Bounds& b, int width, int height) {
    const OrthoAxes a = orthoAxes(view.kind);
    float cu, uLo, uHi, cv, vLo, vHi, cd, dLo, dHi;
    along(b, a.u, a.uSign, cu, uLo, uHi);
    along(b, a.v, a.vSign, cv, vLo, vHi);
    along(b, a.depth, a.depthSign, cd, dLo, dHi);
    float scale = view.scale;
    const float fits[] = {uHi > uLo ? width * kOrthoFill / (uHi - uLo) : 0,
                          vHi > vLo ? height * kOrthoFill / (vHi - vLo) : 0};
    if (fits[0] > 0 || fits[1] > 0)
        scale =
            fits[0] > 0 && fits[1] > 0 ? std::min(fits[0], fits[1]) : std::max(fits[0], fits[1]);
    // The views do not move in depth, so a zoom that would push the box past the clip planes is
    // held back: a small model far along the view's axis still shows, only smaller.
    if (dHi > 0) scale = std::min(scale, kNearDepthRoom / dHi);
    if (dLo < 0) scale = std::min(scale, kFarDepthRoom / -dLo);
    view.scale = scale;
    view.panX = -scale * cu;
    view.panY = -scale * cv;
}

// p turned as the 3D view turns the model: roll about Z, then pitch about X, then yaw about Y.
void turn(const Viewport& view, const float p[3], float out[3]) {
    const float r = radians(view.roll), t = radians(view.pitch), y = radians(view.yaw);
    const float x1 = p[0] * std::cos(r) - p[1] * std::sin(r);
    const float y1 = p[0] * std::sin(r) + p[1] * std::cos(r);
    const float z1 = p[2];
    const float y2 = y1 * std::cos(t) - z1 * std::sin(t);
    const float z2 = y1 * std::sin(t) + z1 * std::cos(t);
    out[0] = x1 * std::cos(y) + z2 * std::sin(y);
    out[1] = y2;
    out[2] = -x1 * std::sin(y) + z2 * std::cos(y);
}

void framePerspective(Viewport& view, const Bounds& b, int width, int height) {
    float centre[3], radius2 = 0;
    for (int i = 0; i < 3; ++i) {
        centre[i] = (b.min[i] + b.max[i]) / 2;
        const float half = (b.max[i] - b.min[i]) / 2;
        radius2 += half * half;
    }
    // A single point gets a unit of room around it.
    const float radius = radius2 > 0 ? std::sqrt(radius2) : 1.0f;
    const float aspect = static_cast<float>(width) / static_cast<float>(std::max(height, 1));
    const float halfV = radians(kHalfFovDegrees);
    const float halfH = std::atan(std::tan(halfV) * aspect);
    const float distance = radius * kPerspectiveMargin / std::sin(std::min(halfV, halfH));
    float eye[3];
    turn(view, centre, eye);
    view.panX = -eye[0];
    view.panY = -eye[1];
    view.distance = -eye[2] - distance;
}

} // namespace

void addPoint(Bounds& b, float x, float y, float z) {
    const float p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        b.min[i] = b.empty ? p[i] : std::min(b.min[i], p[i]);
        b.max[i] = b.empty ? p[i] : std::max(b.max[i], p[i]);
    }
    b.empty = false;
}

Bounds visibleModelBounds(const Model& m) {
    Bounds b;
    for (const Mesh& mesh : m.meshes) {
        if (mesh.hidden) continue;
        for (int32_t i = std::max(mesh.firstVertex, 0); i < meshEndVertex(m, mesh); ++i)
            addPoint(b, m.vertices[i].x, m.vertices[i].y, m.vertices[i].z);
    }
    return b;
}

Bounds selectionBounds(const Model& m) {
    Bounds b;
    for (const Vertex& v : m.vertices)
        if (v.selected) addPoint(b, v.x, v.y, v.z);
    if (!b.empty || !hasCurrentMesh(m)) return b;
    const Mesh& mesh = m.meshes[m.currentMesh];
    for (int32_t i = std::max(mesh.firstVertex, 0); i < meshEndVertex(m, mesh); ++i)
        addPoint(b, m.vertices[i].x, m.vertices[i].y, m.vertices[i].z);
    return b;
}

void setTurnAndTilt(Viewport& view, float turn, float tilt) {
    // The camera turns by yaw, then pitch, then roll (outermost first); the wanted rotation is
    // the tilt about X after the turn about Y. Matching the two matrices term by term:
    const float t = radians(turn), p = radians(tilt);
    const float pitch = std::asin(std::sin(p) * std::cos(t));
    const float yaw = std::atan2(std::sin(t), std::cos(p) * std::cos(t));
    const float roll = std::atan2(std::sin(p) * std::sin(t), std::cos(p));
    view.pitch = pitch * 180.0f / kPi;
    view.yaw = yaw * 180.0f / kPi;
    view.roll = roll * 180.0f / kPi;
}

void frameView(Viewport& view, const Bounds& b, int width, int height) {
    if (b.empty || width < 1 || height < 1) return;
    if (view.kind == ViewKind::Perspective)
        framePerspective(view, b, width, height);
    else
        frameOrtho(view, b, width, height);
}

void frameMainViews(Viewport views[ViewCount], const Bounds& b, int windowWidth, int windowHeight) {
    for (ViewId id : kMainViews) {
        const Viewport& v = views[id];
        const bool shown = v.width > 0 && v.height > 0;
        frameView(views[id], b, shown ? v.width : windowWidth / 2,
                  shown ? v.height : windowHeight / 2);
    }
}
