// Extend: pulling the selected edges out into a new mesh, as quads or as saw teeth.
#include "edit/extend.h"

#include "edit/materials.h"
#include "edit/normals.h"
#include "edit/transforms.h"

#include <cmath>
#include <vector>

namespace {

const char* const kExtendCaption = "Extend Failed";
const char* const kExtendText = "At Least 2 vertices must be selected";

constexpr float kSawToothReach = 10.0f;
constexpr float kSawToothTextureRise = 1.0f;

struct Edge {
    int32_t first, second;
};

// The edges of the triangles with at least two selected corners, in triangle order.
std::vector<Edge> selectedEdges(const Model& m, int32_t& lastTriangle) {
    std::vector<Edge> edges;
    for (int32_t t = 0; t < 3 * triangleCount(m); t += 3) {
        const bool s0 = m.vertices[t].selected, s1 = m.vertices[t + 1].selected;
        const bool s2 = m.vertices[t + 2].selected;
        if (s0 + s1 + s2 < 2) continue;
        if (s0 && s1 && !s2)
            edges.push_back({t + 1, t});
        else if (s1 && s2 && !s0)
            edges.push_back({t + 2, t + 1});
        else
            edges.push_back({t, t + 2}); // V0 and V2, or all three
        lastTriangle = t;
    }
    return edges;
}

Vec3 position(const Vertex& v) {
    return {v.x, v.y, v.z};
}

Vec3 tipOfNormal(const Vertex& v) {
    return {v.x + v.normalX, v.y + v.normalY, v.z + v.normalZ};
}

Vertex copyOf(const Vertex& src, const Vec3& offset) {
    Vertex v;
    v.x = src.x + offset.x, v.y = src.y + offset.y, v.z = src.z + offset.z;
    v.textureX = src.textureX, v.textureY = src.textureY;
    v.colourRed = src.colourRed, v.colourGreen = src.colourGreen;
    v.colourBlue = src.colourBlue, v.colourAlpha = src.colourAlpha;
    return v;
}

EditResult extend(Model& m, bool sawTooth) {
    int32_t lastTriangle = 0;
    const std::vector<Edge> edges = selectedEdges(m, lastTriangle);
    const int32_t k = static_cast<int32_t>(edges.size());
    if (k < (sawTooth ? 2 : 1)) {
        EditResult r;
        r.caption = kExtendCaption;
        r.text = kExtendText;
        return r;
    }

    clipMeshesToVertices(m);
    const int32_t owner = meshOfVertex(m, lastTriangle);
    const int32_t material = usableMaterial(m, owner >= 0 ? m.meshes[owner].MaterialNumber : 0);
    // Stale normals would point the strip anywhere.
    if (!sawTooth) completeNormals(m);
    centreOfSelection(m);
    const Vec3 c = {m.centreX, m.centreY, m.centreZ};

    Vec3 sum = {0, 0, 0};
    for (const Edge& e : edges) {
        const Vertex& f = m.vertices[e.first];
        const Vertex& s = m.vertices[e.second];
        const Vec3 d = sawTooth ? faceNormal(c, position(f), position(s), false)
                                : faceNormal(c, tipOfNormal(f), tipOfNormal(s), true);
        sum.x += d.x, sum.y += d.y, sum.z += d.z;
    }
    const float scale = (sawTooth ? kSawToothReach : 1.0f) / static_cast<float>(k);
    Vec3 offset = {sum.x * scale, sum.y * scale, sum.z * scale};
    // Coordinates near the float range can overflow the cross products.
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y) || !std::isfinite(offset.z))
        offset = {0, 0, 0};

    const int32_t first = vertexCount(m);
    const int32_t perEdge = sawTooth ? 3 : 6;
    m.vertices.reserve(static_cast<std::size_t>(first) + static_cast<std::size_t>(perEdge) * k);
    const Vec3 none = {0, 0, 0};
    for (const Edge& e : edges) {
        // Copied out first: the appends below must not read through references into the array.
        const Vertex f = m.vertices[e.first];
        const Vertex s = m.vertices[e.second];
        if (sawTooth) {
            Vertex tip = copyOf(s, offset);
            tip.textureY += kSawToothTextureRise;
            for (const Vertex& v : {copyOf(f, none), copyOf(s, none), tip}) m.vertices.push_back(v);
        } else {
            for (const Vertex& v : {copyOf(f, none), copyOf(s, none), copyOf(s, offset),
                                    copyOf(f, none), copyOf(s, offset), copyOf(f, offset)})
                m.vertices.push_back(v);
        }
    }
    Mesh mesh;
    mesh.firstVertex = first;
    mesh.triangleCount = sawTooth ? k : 2 * k;
    mesh.MaterialNumber = material;
    m.meshes.push_back(mesh);
    recalculateNormals(m);
    EditResult r;
    r.changed = true;
    return r;
}

} // namespace

EditResult extendSelectedVertices(Model& m) {
    return extend(m, false);
}

EditResult extendSelectedVerticesSawTooth(Model& m) {
    return extend(m, true);
}
