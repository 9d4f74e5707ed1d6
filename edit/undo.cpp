// The undo ring: set-up, snapshots, undo, redo and the model copy they share.
#include "edit/undo.h"

#include <algorithm>
#include <cstddef>
#include <new>
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

// Writing a slot loses the position R places older. After an undo and a new snapshot the top
// comes down again, so the top alone cannot tell which older slots still hold theirs.
void slotWritten(UndoHistory& u, int32_t position) {
    u.oldest = std::max(u.oldest, position - slotCount(u) + 1);
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
    // Normals that were still pending when the state was stored get recalculated now.
    m.normalsPending = true;
    return true;
}

template <typename Record> bool exactSize(const std::vector<Record>& list, std::size_t count) {
    return list.size() == count && list.capacity() == count;
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
    // Normals travel with the vertices. A vertex whose normal was still waiting for the batched
    // recalculation keeps waiting, or the restored model would show a stale normal for good.
    v.normalDirty = from.normalDirty;
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

// Fills a list of the source's size with the held part of each record; `to` may be `from`.
template <typename Record>
void fillHeld(std::vector<Record>& to, const std::vector<Record>& from,
              Record (*held)(const Record&)) {
    for (std::size_t i = 0; i < from.size(); ++i) to[i] = held(from[i]);
}

} // namespace

void setupUndo(Model& m, int32_t maxUndoCount) {
    UndoHistory& u = m.undo;
    u.slots.clear();
    u.position = 0;
    u.top = 0;
    u.oldest = 0;
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
    // Every allocation comes first; past them nothing can fail, so a std::bad_alloc leaves `to`
    // as it was. A list already of the right size is overwritten in place: fresh pages for a
    // large vertex list cost far more than the copy itself. vector(n) allocates exactly n.
    std::vector<Material> materials(from.materials);
    std::vector<Texture> textures(from.textures);
    const bool verticesFit = exactSize(to.vertices, from.vertices.size());
    std::vector<Vertex> vertices(verticesFit ? 0 : from.vertices.size());
    const bool meshesFit = exactSize(to.meshes, from.meshes.size());
    std::vector<Mesh> meshes(meshesFit ? 0 : from.meshes.size());
    if (!verticesFit) fillHeld(vertices, from.vertices, heldVertex);
    if (!meshesFit) fillHeld(meshes, from.meshes, heldMesh);

    if (verticesFit)
        fillHeld(to.vertices, from.vertices, heldVertex);
    else
        to.vertices.swap(vertices);
    if (meshesFit)
        fillHeld(to.meshes, from.meshes, heldMesh);
    else
        to.meshes.swap(meshes);
    to.materials.swap(materials);
    to.textures.swap(textures);
    to.currentMaterial = from.currentMaterial;
}

void takeSnapshot(Model& m) {
    if (!ringUsable(m)) return;
    UndoHistory& u = m.undo;
    if (!copyOrLog(slotAt(u, u.position), m, m, "ERROR: Not enough memory for an undo snapshot"))
        return;
    slotWritten(u, u.position);
    u.canUndo = true;
    u.canRedo = false;
    u.top = ++u.position;
    // Bounded counters; taking 3R off both keeps every position in its slot.
    const int32_t r = slotCount(u);
    if (u.position >= 4 * r) {
        u.position -= 3 * r;
        u.top -= 3 * r;
        u.oldest -= 3 * r;
    }
}

void undo(Model& m) {
    UndoHistory& u = m.undo;
    if (!ringUsable(m) || !u.canUndo) return;
    // The first step back keeps the present, so redo can return to it.
    if (u.position == u.top) {
        if (!copyOrLog(slotAt(u, u.position), m, m, "ERROR: Not enough memory to undo")) return;
        slotWritten(u, u.position);
    }
    // The oldest slot may have been overwritten by the present, hence R - 1 steps at most.
    if (u.position - 1 >= u.oldest && u.top - (u.position - 1) < slotCount(u)) {
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
