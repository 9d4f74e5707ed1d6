// Transforms of the selection and mirroring of the current mesh.
//
// Sections: centre; move, rotate, scale, align; mirror; drags.
#include "edit/transforms.h"

#include "edit/mesh_centre.h"
#include "edit/normals.h"
#include "edit/structure.h"

#include <algorithm>
#include <cmath>

namespace {

void deselectLocked(Model& m) {
    for (Vertex& v : m.vertices)
        if (v.locked) v.selected = false;
}

float scaleFactor(float amount, float up, float down) {
    if (amount > 0) return up;
    if (amount < 0) return down;
    return 0;
}

} // namespace

// --- centre ---

int32_t centreOfSelection(Model& m) {
    double sx = 0, sy = 0, sz = 0;
    int32_t count = 0;
    for (const Vertex& v : m.vertices) {
        if (!v.selected) continue;
        sx += v.x;
        sy += v.y;
        sz += v.z;
        ++count;
    }
    if (count == 0) return 0;
    m.centreX = static_cast<float>(sx / count);
    m.centreY = static_cast<float>(sy / count);
    m.centreZ = static_cast<float>(sz / count);
    return count;
}

// --- move, rotate, scale, align ---

void moveSelection(Model& m, float dx, float dy, float dz) {
    bool moved = false;
    for (Vertex& v : m.vertices) {
        if (!v.selected || v.locked) continue;
        v.x += dx;
        v.y += dy;
        v.z += dz;
        v.normalDirty = true;
        moved = true;
    }
    if (moved) recalculateNormals(m);
}

void rotateSelection(Model& m, float ax, float ay, float az) {
    deselectLocked(m);
    if (centreOfSelection(m) == 0) return;
    const float cx = m.centreX, cy = m.centreY, cz = m.centreZ;
    // Angles go to radians in single precision, their sines and cosines stay double.
    const double rx = ax / kDegreesPerRadian, ry = ay / kDegreesPerRadian;
    const double rz = az / kDegreesPerRadian;
    const double sinX = std::sin(rx), cosX = std::cos(rx);
    const double sinY = std::sin(ry), cosY = std::cos(ry);
    const double sinZ = std::sin(rz), cosZ = std::cos(rz);
    for (Vertex& v : m.vertices) {
        if (!v.selected) continue;
        const float dx = v.x - cx, dy = v.y - cy, dz = v.z - cz;
        const float p = static_cast<float>(cosY * dx - sinY * dz);
        const float q = static_cast<float>(sinY * dx + cosY * dz);
        const float r = static_cast<float>(sinX * q + cosX * dy);
        v.z = static_cast<float>(cz + cosX * q - sinX * dy);
        v.x = static_cast<float>(cx + cosZ * p - sinZ * r);
        v.y = static_cast<float>(cy + sinZ * p + cosZ * r);
        v.normalDirty = true;
    }
    recalculateNormals(m);
}

void scaleSelection(Model& m, float sx, float sy, float sz) {
    const float up = m.fineMode ? kFineScaleUp : kScaleUp;
    const float down = m.fineMode ? kFineScaleDown : kScaleDown;
    // A factor of 0 means the axis is left alone.
    const float fx = m.scaleX ? scaleFactor(sx, up, down) : 0;
    const float fy = m.scaleY ? scaleFactor(sy, up, down) : 0;
    const float fz = m.scaleZ ? scaleFactor(sz, up, down) : 0;
    deselectLocked(m);
    if (centreOfSelection(m) == 0) return;
    const float cx = m.centreX, cy = m.centreY, cz = m.centreZ;
    for (Vertex& v : m.vertices) {
        if (!v.selected) continue;
        if (fx != 0) v.x = cx + fx * (v.x - cx);
        if (fy != 0) v.y = cy + fy * (v.y - cy);
        if (fz != 0) v.z = cz + fz * (v.z - cz);
        v.normalDirty = true;
    }
    recalculateNormals(m);
}

void alignSelection(Model& m, bool x, bool y, bool z) {
    if (centreOfSelection(m) == 0) return;
    for (Vertex& v : m.vertices) {
        if (!v.selected) continue;
        if (x) v.x = m.centreX;
        if (y) v.y = m.centreY;
        if (z) v.z = m.centreZ;
        v.normalDirty = true;
    }
    // Aligning many vertices at once is left to the per-frame passes.
    m.normalsPending = true;
}

// --- mirror ---

void mirrorCurrentMesh(Model& m, int axis) {
    if (axis < 0 || axis > 2) return;
    const int32_t count = meshCentre(m, m.currentMesh);
    if (count == 0) return;
    // meshCentre used the whole triangles from the mesh's first vertex.
    const int32_t first = std::max(m.meshes[m.currentMesh].firstVertex, 0);
    const float centre[3] = {m.centreX, m.centreY, m.centreZ};
    const float c = centre[axis];
    for (int32_t i = first; i < first + count; ++i) {
        Vertex& v = m.vertices[i];
        float* coord[3] = {&v.x, &v.y, &v.z};
        *coord[axis] = c - (*coord[axis] - c);
        v.normalDirty = true;
    }
    // The reflection reversed the winding; inverting restores it and runs the pass.
    invertMesh(m, m.currentMesh);
}

// --- drags ---

TransformAmounts dragAmounts(Plane plane, int mode, float deltaU, float deltaV, float pixelDy) {
    TransformAmounts a;
    if (!knownPlane(plane)) return a;
    float axes[3] = {0, 0, 0};
    switch (mode) {
    case DragMove:
        a.op = DragOp::Move;
        planeToAxes(plane, deltaU, deltaV, axes);
        break;
    case DragRotate:
        // About the axis across the view.
        a.op = DragOp::Rotate;
        axes[planeAxes(plane).normal] = planeAxes(plane).normalSign * pixelDy;
        break;
    case DragScale:
        a.op = DragOp::Scale;
        axes[0] = axes[1] = axes[2] = pixelDy;
        break;
    default:
        break;
    }
    a.x = axes[0], a.y = axes[1], a.z = axes[2];
    return a;
}

void applyDrag(Model& m, Plane plane, int mode, float deltaU, float deltaV, float pixelDy) {
    const TransformAmounts a = dragAmounts(plane, mode, deltaU, deltaV, pixelDy);
    switch (a.op) {
    case DragOp::Move:
        moveSelection(m, a.x, a.y, a.z);
        break;
    case DragOp::Rotate:
        rotateSelection(m, a.x, a.y, a.z);
        break;
    case DragOp::Scale:
        scaleSelection(m, a.x, a.y, a.z);
        break;
    case DragOp::None:
        break;
    }
}
