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
UndoSnapshot& slotAt(UndoHistory& u, int32_t position) {
    return *u.slots[static_cast<std::size_t>(position % slotCount(u))];
}

bool ringUsable(const Model& m) {
    return m.undoEnabled && !m.undo.slots.empty();
}

// A copy that runs out of memory changes nothing; the caller then leaves the ring as it was.
template <class Copy> bool copyOrLog(const Model& logger, const char* failure, Copy copy) {
    try {
        copy();
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

template <typename Record> bool exactSize(const std::vector<Record>& list, std::size_t count) {
    return list.size() == count && list.capacity() == count;
}

HeldVertex heldVertex(const Vertex& from) {
    // Normals travel with the vertices. A vertex whose normal was still waiting for the batched
    // recalculation keeps waiting, or the restored model would show a stale normal for good.
    return {from.x,          from.y,           from.z,        from.normalX,   from.normalY,
            from.normalZ,    from.textureX,    from.textureY, from.colourRed, from.colourGreen,
            from.colourBlue, from.colourAlpha, from.selected, from.locked,    from.normalDirty};
}

Vertex restoredVertex(const HeldVertex& from) {
    Vertex v;
    v.x = from.x, v.y = from.y, v.z = from.z;
    v.normalX = from.normalX, v.normalY = from.normalY, v.normalZ = from.normalZ;
    v.textureX = from.textureX, v.textureY = from.textureY;
    v.colourRed = from.colourRed, v.colourGreen = from.colourGreen;
    v.colourBlue = from.colourBlue, v.colourAlpha = from.colourAlpha;
    v.selected = from.selected;
    v.locked = from.locked;
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

// Converts every record of `from` into `to`, which already has from's size.
template <typename To, typename From>
void convertAll(std::vector<To>& to, const std::vector<From>& from, To (*convert)(const From&)) {
    To* out = to.data();
    for (std::size_t i = 0, n = from.size(); i < n; ++i) out[i] = convert(from[i]);
}

// A list already of the right size is overwritten in place: fresh pages for a large vertex list
// cost far more than the copy itself.
template <typename To, typename From>
bool fillsInPlace(const std::vector<To>& to, const std::vector<From>& from) {
    return exactSize(to, from.size());
}
// An exact-size converted copy; vector(n) allocates exactly n.
template <typename To, typename From>
std::vector<To> convertedCopy(const std::vector<From>& from, To (*convert)(const From&)) {
    std::vector<To> fresh(from.size());
    convertAll(fresh, from, convert);
    return fresh;
}

// Copies the held records between a model and a slot; a std::bad_alloc leaves `to` as it was,
// since everything that can throw happens before the first swap.
template <typename ToRecords, typename FromRecords, typename ToVertex, typename FromVertex>
void copyHeldRecords(ToRecords& to, const FromRecords& from,
                     ToVertex (*convertVertex)(const FromVertex&)) {
    std::vector<Material> materials(from.materials);
    std::vector<Texture> textures(from.textures);
    const bool verticesFit = fillsInPlace(to.vertices, from.vertices);
    const bool meshesFit = fillsInPlace(to.meshes, from.meshes);
    std::vector<ToVertex> vertices;
    std::vector<Mesh> meshes;
    if (!verticesFit) vertices = convertedCopy(from.vertices, convertVertex);
    if (!meshesFit) meshes = convertedCopy(from.meshes, heldMesh);

    if (verticesFit)
        convertAll(to.vertices, from.vertices, convertVertex);
    else
        to.vertices.swap(vertices);
    if (meshesFit)
        convertAll(to.meshes, from.meshes, heldMesh);
    else
        to.meshes.swap(meshes);
    to.materials.swap(materials);
    to.textures.swap(textures);
    to.currentMaterial = from.currentMaterial;
}

void storeSnapshot(UndoSnapshot& to, const Model& from) {
    copyHeldRecords(to, from, heldVertex);
}

void restoreRecords(Model& to, const UndoSnapshot& from) {
    copyHeldRecords(to, from, restoredVertex);
}

bool restore(Model& m, int32_t position, const char* failure) {
    if (!copyOrLog(m, failure, [&] { restoreRecords(m, slotAt(m.undo, position)); })) return false;
    keepCurrentInRange(m);
    // Normals that were still pending when the state was stored get recalculated now.
    m.normalsPending = true;
    return true;
}

bool store(Model& m, int32_t position, const char* failure) {
    if (!copyOrLog(m, failure, [&] { storeSnapshot(slotAt(m.undo, position), m); })) return false;
    // Writing the slot loses the position R places older. After an undo and a new snapshot the
    // top comes down again, so the top alone cannot tell which older slots still hold theirs.
    UndoHistory& u = m.undo;
    u.oldest = std::max(u.oldest, position - slotCount(u) + 1);
    return true;
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
    for (int32_t i = 0; i <= maxUndoCount; ++i) u.slots.push_back(std::make_unique<UndoSnapshot>());
    m.undoEnabled = true;
}

void copyModelState(Model& to, const Model& from) {
    UndoSnapshot held;
    storeSnapshot(held, from);
    restoreRecords(to, held);
}

void takeSnapshot(Model& m) {
    if (!ringUsable(m)) return;
    UndoHistory& u = m.undo;
    if (!store(m, u.position, "ERROR: Not enough memory for an undo snapshot")) return;
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
    if (u.position == u.top && !store(m, u.position, "ERROR: Not enough memory to undo")) return;
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

bool revertToSnapshot(Model& m) {
    UndoHistory& u = m.undo;
    if (!ringUsable(m) || !u.canUndo || u.position != u.top || u.position - 1 < u.oldest)
        return false;
    if (!restore(m, u.position - 1, "ERROR: Not enough memory to undo")) return false;
    u.top = --u.position;
    u.canUndo = u.position - 1 >= u.oldest;
    u.canRedo = false;
    return true;
}
