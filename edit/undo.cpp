// The undo ring: set-up, snapshots, undo, redo and the model copy they share.
#include "edit/undo.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace {

int32_t slotCount(const UndoHistory& u) {
    return static_cast<int32_t>(u.slots.size());
}

// Positions never go negative, so a plain remainder picks the slot.
Model& slotAt(UndoHistory& u, int32_t position) {
    return *u.slots[static_cast<std::size_t>(position % slotCount(u))];
}

bool ringUsable(const Model& m) {
    return m.undoEnabled && !m.undo.slots.empty();
}

// A copy that runs out of memory changes nothing; the caller then leaves the ring as it was.
bool copyOrLog(Model& to, const Model& from, const Model& logger, const char* failure) {
    try {
        copyModelState(to, from);
        return true;
    } catch (const std::bad_alloc&) {
        try {
            logEntry(logger.log, failure);
        } catch (const std::bad_alloc&) {
            // Not even the log line fits; the edit goes on without it.
        }
        return false;
    }
}

// The current mesh and triangle are not part of a snapshot, so they may point past a restored
// model that has fewer meshes or triangles.
void keepCurrentInRange(Model& m) {
    m.currentMesh = std::clamp(m.currentMesh, 0, std::max(meshCount(m) - 1, 0));
    const int32_t lastTriangle = 3 * std::max(triangleCount(m) - 1, 0);
    m.currentTriangle = std::clamp(m.currentTriangle, 0, lastTriangle);
    m.currentTriangle -= m.currentTriangle % 3;
}

bool restore(Model& m, int32_t position, const char* failure) {
    if (!copyOrLog(m, slotAt(m.undo, position), m, failure)) return false;
    keepCurrentInRange(m);
    return true;
}

Vertex heldVertex(const Vertex& from) {
    Vertex v;
    v.x = from.x, v.y = from.y, v.z = from.z;
    v.normalX = from.normalX, v.normalY = from.normalY, v.normalZ = from.normalZ;
    v.textureX = from.textureX, v.textureY = from.textureY;
    v.colourRed = from.colourRed, v.colourGreen = from.colourGreen;
    v.colourBlue = from.colourBlue, v.colourAlpha = from.colourAlpha;
    v.selected = from.selected;
    v.locked = from.locked;
    // Normals travel with the vertices, so nothing waits for recalculation.
    v.normalDirty = false;
    return v;
}

Mesh heldMesh(const Mesh& from) {
    Mesh mesh;
    mesh.firstVertex = from.firstVertex;
    mesh.triangleCount = from.triangleCount;
    mesh.MaterialNumber = from.MaterialNumber;
    mesh.locked = from.locked;
    mesh.smooth = from.smooth;
    mesh.trianglePins = from.trianglePins;
    mesh.centreX = from.centreX, mesh.centreY = from.centreY, mesh.centreZ = from.centreZ;
    return mesh;
}

} // namespace

void setupUndo(Model& m, int32_t maxUndoCount) {
    UndoHistory& u = m.undo;
    u.slots.clear();
    u.position = 0;
    u.top = 0;
    u.canUndo = false;
    u.canRedo = false;
    if (maxUndoCount < 1 || maxUndoCount > kMaxUndoCount) {
        m.undoEnabled = false;
        return;
    }
    u.slots.reserve(static_cast<std::size_t>(maxUndoCount) + 1);
    for (int32_t i = 0; i <= maxUndoCount; ++i) u.slots.push_back(std::make_unique<Model>());
    m.undoEnabled = true;
}

void copyModelState(Model& to, const Model& from) {
    // Everything is built aside first: vector(n) and reserve(n) give exactly n records.
    std::vector<Material> materials(from.materials);
    std::vector<Texture> textures(from.textures);
    std::vector<Vertex> vertices;
    vertices.reserve(from.vertices.size());
    for (const Vertex& v : from.vertices) vertices.push_back(heldVertex(v));
    std::vector<Mesh> meshes;
    meshes.reserve(from.meshes.size());
    for (const Mesh& mesh : from.meshes) meshes.push_back(heldMesh(mesh));

    to.materials = std::move(materials);
    to.textures = std::move(textures);
    to.vertices = std::move(vertices);
    to.meshes = std::move(meshes);
    to.currentMaterial = from.currentMaterial;
}

void takeSnapshot(Model& m) {
    if (!ringUsable(m)) return;
    UndoHistory& u = m.undo;
    if (!copyOrLog(slotAt(u, u.position), m, m, "ERROR: Not enough memory for an undo snapshot"))
        return;
    u.canUndo = true;
    u.canRedo = false;
    u.top = ++u.position;
    // Bounded counters; taking 3R off both keeps every position in its slot.
    const int32_t r = slotCount(u);
    if (u.position >= 4 * r) {
        u.position -= 3 * r;
        u.top -= 3 * r;
    }
}

void undo(Model& m) {
    UndoHistory& u = m.undo;
    if (!ringUsable(m) || !u.canUndo) return;
    // The first step back keeps the present, so redo can return to it.
    if (u.position == u.top &&
        !copyOrLog(slotAt(u, u.position), m, m, "ERROR: Not enough memory to undo"))
        return;
    // The oldest slot may have been overwritten by the present, hence R - 1 steps at most.
    if (u.position - 1 >= 0 && u.top - (u.position - 1) < slotCount(u)) {
        if (!restore(m, u.position - 1, "ERROR: Not enough memory to undo")) return;
        --u.position;
    } else {
        u.canUndo = false;
    }
    u.canRedo = true;
}

void redo(Model& m) {
    UndoHistory& u = m.undo;
    if (!ringUsable(m) || !u.canRedo || u.position >= u.top) return;
    if (!restore(m, u.position + 1, "ERROR: Not enough memory to redo")) return;
    u.canUndo = true;
    ++u.position;
    if (u.position >= u.top) u.canRedo = false;
}
