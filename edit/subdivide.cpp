// Subdivision: splitting triangles into four by their edge midpoints, in one pass per scope.
#include "edit/subdivide.h"

#include "edit/normals.h"
#include "edit/selection.h"
#include "edit/structure.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr int32_t kAddedPerSplit = 9; // twelve corners replace three

Vertex corner(const Vertex& p, bool selected) {
    Vertex v;
    v.x = p.x, v.y = p.y, v.z = p.z;
    v.textureX = p.textureX, v.textureY = p.textureY;
    v.colourRed = p.colourRed, v.colourGreen = p.colourGreen;
    v.colourBlue = p.colourBlue, v.colourAlpha = p.colourAlpha;
    v.selected = selected;
    return v;
}

Vertex midpoint(const Vertex& p, const Vertex& q, bool selected) {
    Vertex v;
    v.x = (p.x + q.x) * 0.5f, v.y = (p.y + q.y) * 0.5f, v.z = (p.z + q.z) * 0.5f;
    v.textureX = (p.textureX + q.textureX) * 0.5f;
    v.textureY = (p.textureY + q.textureY) * 0.5f;
    v.colourRed = (p.colourRed + q.colourRed) * 0.5f;
    v.colourGreen = (p.colourGreen + q.colourGreen) * 0.5f;
    v.colourBlue = (p.colourBlue + q.colourBlue) * 0.5f;
    v.colourAlpha = (p.colourAlpha + q.colourAlpha) * 0.5f;
    v.selected = selected;
    return v;
}

void appendSplit(std::vector<Vertex>& out, const Vertex* tri, bool selected) {
    const Vertex p = corner(tri[0], selected), q = corner(tri[1], selected);
    const Vertex r = corner(tri[2], selected);
    const Vertex pq = midpoint(tri[0], tri[1], selected);
    const Vertex qr = midpoint(tri[1], tri[2], selected);
    const Vertex pr = midpoint(tri[0], tri[2], selected);
    for (const Vertex* v : {&p, &pq, &pr, &pq, &q, &qr, &pq, &qr, &pr, &pr, &qr, &r})
        out.push_back(*v);
}

struct SplitPlan {
    std::vector<int32_t> starts;      // first vertices of the triangles to split, ascending
    int32_t shiftedFrom = 0;          // vertices from here on that are not split count as moved
    bool newSelected = false;         // the new corners are selected
    bool shiftedKeepSelected = false; // moved vertices keep their selection
};

// Where vertex position p ends up once the listed triangles are split.
int64_t positionAfterSplits(const std::vector<int32_t>& starts, int64_t p) {
    const int64_t before = std::lower_bound(starts.begin(), starts.end(), p) - starts.begin();
    return p + kAddedPerSplit * before;
}

// Rebuilds the vertex array with the plan's triangles split and moves every mesh's ends to match,
// so a mesh grows by the splits inside it. Returns false, changing nothing, when the result would
// not fit.
bool applySplits(Model& m, const SplitPlan& plan) {
    if (plan.starts.empty()) return false;
    const int64_t n = vertexCount(m);
    const int64_t total = n + kAddedPerSplit * static_cast<int64_t>(plan.starts.size());
    if (total > std::numeric_limits<int32_t>::max()) return false;
    std::vector<Vertex> out;
    try {
        out.reserve(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        logEntry(m.log, "Subdivide: not enough memory");
        return false;
    }
    std::size_t next = 0;
    for (int32_t i = 0; i < n;) {
        if (next < plan.starts.size() && plan.starts[next] == i) {
            appendSplit(out, &m.vertices[i], plan.newSelected);
            i += 3, ++next;
            continue;
        }
        const Vertex& v = m.vertices[i];
        out.push_back(i >= plan.shiftedFrom ? shiftedVertex(v, plan.shiftedKeepSelected) : v);
        ++i;
    }
    m.vertices.swap(out);
    for (Mesh& mesh : m.meshes) {
        const int64_t begin = positionAfterSplits(plan.starts, mesh.firstVertex);
        const int64_t end =
            positionAfterSplits(plan.starts, mesh.firstVertex + 3LL * mesh.triangleCount);
        mesh.firstVertex = static_cast<int32_t>(begin);
        mesh.triangleCount = static_cast<int32_t>((end - begin) / 3);
    }
    return true;
}

// The whole triangles inside vertices [begin, end), appended as first vertices.
void addTrianglesOf(std::vector<int32_t>& starts, int32_t begin, int32_t end) {
    for (int32_t t = (begin + 2) / 3 * 3; t + 3 <= end; t += 3) starts.push_back(t);
}

} // namespace

void subdivideTriangle(Model& m, int32_t t) {
    if (!triangleExists(m, t)) return;
    clipMeshesToVertices(m);
    SplitPlan plan;
    plan.starts = {t};
    plan.shiftedFrom = t + 3;
    plan.shiftedKeepSelected = true;
    if (applySplits(m, plan)) recalculateNormals(m);
}

void subdivideSelectedTriangles(Model& m) {
    SplitPlan plan;
    for (int32_t t = 0; t < 3 * triangleCount(m); t += 3)
        if (triangleSelectedForEditing(m, t)) plan.starts.push_back(t);
    if (plan.starts.empty()) return;
    clipMeshesToVertices(m);
    plan.shiftedFrom = plan.starts.front() + 3;
    plan.shiftedKeepSelected = true;
    if (!applySplits(m, plan)) return;
    // The last triangle split was made current before it was split.
    m.currentTriangle = static_cast<int32_t>(positionAfterSplits(plan.starts, plan.starts.back()));
    recalculateNormals(m);
}

void subdivideMesh(Model& m, int32_t meshIndex) {
    if (meshIndex < 0 || meshIndex >= meshCount(m)) return;
    clipMeshesToVertices(m);
    const VertexRange r = meshVertexRange(m, meshIndex);
    SplitPlan plan;
    addTrianglesOf(plan.starts, r.begin, r.end);
    plan.shiftedFrom = r.end;
    plan.newSelected = true;
    if (applySplits(m, plan)) recalculateNormals(m);
}

void subdivideAllMeshes(Model& m) {
    if (m.meshes.empty()) return;
    clipMeshesToVertices(m);
    // Count the meshes over each triangle (opened at a mesh's first whole triangle, closed past
    // its last), so a triangle that overlapping meshes share is split once.
    std::vector<int32_t> opened(static_cast<std::size_t>(triangleCount(m)) + 1, 0);
    SplitPlan plan;
    plan.shiftedFrom = vertexCount(m);
    for (int32_t k = 0; k < meshCount(m); ++k) {
        const VertexRange r = meshVertexRange(m, k);
        plan.shiftedFrom = std::min(plan.shiftedFrom, r.end);
        const int32_t a = (r.begin + 2) / 3, b = r.end / 3;
        if (a < b) ++opened[a], --opened[b];
    }
    int32_t over = 0;
    for (int32_t k = 0; k < triangleCount(m); ++k)
        if ((over += opened[k]) > 0) plan.starts.push_back(3 * k);
    plan.newSelected = true;
    if (applySplits(m, plan)) recalculateNormals(m);
}
