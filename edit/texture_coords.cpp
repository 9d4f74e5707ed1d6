// Texture coordinates: drags of the selection, scaling and planar recalculation of a mesh.
#include "edit/texture_coords.h"

#include "edit/mesh_centre.h"
#include "edit/selection.h"
#include "edit/transforms.h"

#include <algorithm>
#include <cmath>
#include <limits>

void moveTextureCoordinates(Model& m, float du, float dv) {
    for (Vertex& v : m.vertices) {
        if (v.locked) v.selected = false;
        if (!v.selected) continue;
        v.textureX += du;
        v.textureY += dv;
    }
}

void textureDragAmounts(Plane plane, float dx, float dy, float scale, float& du, float& dv) {
    du = dv = 0;
    if (!(scale > 0)) return;
    switch (plane) {
    case PlaneFront:
        du = dx / scale, dv = -dy / scale;
        break;
    case PlaneLeft:
        du = -dy / scale, dv = dx / scale;
        break;
    case PlaneTop:
        du = dx / scale, dv = dy / scale;
        break;
    default:
        break;
    }
}

void scaleTextureCoordinates(Model& m, int32_t meshIndex, float su, float sv) {
    if (!std::isfinite(su) || !std::isfinite(sv)) return;
    const VertexRange r = meshVertexRange(m, meshIndex);
    for (int32_t i = r.begin; i < r.end; ++i) {
        m.vertices[i].textureX *= su;
        m.vertices[i].textureY *= sv;
    }
}

namespace {

struct Span {
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    void take(float a) { low = std::min(low, a), high = std::max(high, a); }
    // 0 .. 1 across the span; 0 for a span without width.
    float unit(float a) const {
        const float width = high - low;
        if (!(width > 0) || !std::isfinite(width)) return 0;
        return (a - low) / width;
    }
};

} // namespace

void recalculateTextureCoordinates(Model& m, int32_t meshIndex) {
    const VertexRange r = meshVertexRange(m, meshIndex);
    if (r.begin == r.end || meshCentre(m, meshIndex) == 0) return;
    const Mesh& mesh = m.meshes[meshIndex];
    const float hx = mesh.halfExtentX, hy = mesh.halfExtentY, hz = mesh.halfExtentZ;
    // The plane across the thinnest axis, oriented as its view shows it.
    Plane plane = PlaneLeft;
    if (hz <= hx && hz <= hy)
        plane = PlaneFront;
    else if (hy <= hx)
        plane = PlaneTop;

    Span across, up;
    float h = 0, w = 0;
    for (int32_t i = r.begin; i < r.end; ++i) {
        planeCoordinates(m.vertices[i], plane, h, w);
        across.take(h);
        up.take(w);
    }
    for (int32_t i = r.begin; i < r.end; ++i) {
        Vertex& v = m.vertices[i];
        planeCoordinates(v, plane, h, w);
        v.textureX = across.unit(h);
        v.textureY = up.unit(w);
    }
}
