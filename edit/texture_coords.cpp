// Texture coordinates: dragging the selected vertices' (u, v).
#include "edit/texture_coords.h"

#include "edit/transforms.h"

void moveTextureCoordinates(Model& m, float du, float dv) {
    for (Vertex& v : m.vertices) {
        if (v.locked) v.selected = false;
        if (!v.selected) continue;
        v.textureX += du;
        v.textureY += dv;
    }
}

void textureDragAmounts(int plane, float dx, float dy, float scale, float& du, float& dv) {
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
