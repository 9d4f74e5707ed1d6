// The undo history as the user sees it, for checking the undo ring: what a snapshot holds as
// text, and an unbounded timeline of reference copies. Shared by the sequence fuzz target and the
// undo stress test.
#pragma once

#include "edit_steps.h"
#include "model/model.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace fuzz {

template <typename T> void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Bytes per vertex and per mesh in a held state.
constexpr std::size_t kHeldVertexBytes = 12 * sizeof(float) + 1;
constexpr std::size_t kHeldMeshBytes = 4 * sizeof(int32_t) + 3 * sizeof(float);

// What a snapshot holds, floats by their bits so a restore must be exact: the current material
// and the four counts, then the records.
inline std::string heldState(const Model& m) {
    std::string out;
    out.reserve(20 + m.vertices.size() * kHeldVertexBytes + m.meshes.size() * kHeldMeshBytes);
    for (int32_t i :
         {m.currentMaterial, vertexCount(m), meshCount(m), materialCount(m), textureCount(m)})
        put(out, i);
    for (const Vertex& v : m.vertices) {
        for (float f : {v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ, v.textureX, v.textureY,
                        v.colourRed, v.colourGreen, v.colourBlue, v.colourAlpha})
            put(out, f);
        put(out, char(v.selected << 1 | v.locked));
    }
    for (const Mesh& k : m.meshes) {
        for (int32_t i : {k.firstVertex, k.triangleCount, k.MaterialNumber,
                          k.locked << 2 | k.smooth << 1 | k.trianglePins})
            put(out, i);
        for (float f : {k.centreX, k.centreY, k.centreZ}) put(out, f);
    }
    for (const Material& t : m.materials) {
        out += t.name + '\0';
        for (float f : {t.diffuseRed, t.ambientGreen, t.specularBlue, t.emissionAlpha, t.shininess,
                        t.colourRed})
            put(out, f);
        for (int32_t i : {t.blendSrc, t.blendDst, t.TextureIndex,
                          t.EnableBlend << 2 | t.EnableTexture << 1 | t.EnableLighting})
            put(out, i);
    }
    for (const Texture& t : m.textures) out += t.fileName + '\0';
    return out;
}

// Where two held states first differ, for a readable failure: the counts, a vertex, a mesh, or
// the materials and textures.
inline std::string firstDifference(const std::string& a, const std::string& b) {
    if (a == b) return "no difference";
    if (a.size() < 20 || b.size() < 20 || a.compare(0, 20, b, 0, 20) != 0)
        return "the current material or the counts differ";
    std::size_t i = 20;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    int32_t vertices;
    std::memcpy(&vertices, a.data() + 4, sizeof vertices);
    const std::size_t meshStart = 20 + std::size_t(vertices) * kHeldVertexBytes;
    if (i < meshStart) return "vertex " + std::to_string((i - 20) / kHeldVertexBytes) + " differs";
    int32_t meshes;
    std::memcpy(&meshes, a.data() + 8, sizeof meshes);
    if (i < meshStart + std::size_t(meshes) * kHeldMeshBytes)
        return "mesh " + std::to_string((i - meshStart) / kHeldMeshBytes) + " differs";
    return "the materials or textures differ";
}

// The history as the user sees it: every state stored, by its place in the timeline, and the
// place the model is at (one past the last while the present is not stored). The ring holds
// slots copies, so storing a state loses the one that many places older.
struct Reference {
    std::size_t slots = 0;
    std::vector<std::string> states; // empty: lost
    std::size_t at = 0;
    bool everSnapshot = false;

    void store(const std::string& state) {
        states.resize(at);
        states.push_back(state);
        if (states.size() > slots) states[states.size() - 1 - slots].clear();
    }
    void snapshot(const std::string& present) {
        store(present);
        at = states.size();
        everSnapshot = true;
    }
    // The state an undo leads to, or null when it does nothing.
    const std::string* undo(const std::string& present) {
        if (!everSnapshot) return nullptr;
        // Undo from the newest state keeps the present, so redo can come back to it.
        if (at + 1 >= states.size()) store(present);
        if (at == 0 || states[at - 1].empty()) return nullptr;
        return &states[--at];
    }
    const std::string* redo() {
        if (at + 1 >= states.size()) return nullptr;
        return &states[++at];
    }
    // Follows one step given the held states before and after it. Returns whether an undo or redo
    // moved; sets mismatch when the model is not where the history says (a step with nowhere to go
    // leaves the model as it was).
    bool follow(StepKind kind, const std::string& before, const std::string& after,
                std::string& mismatch) {
        mismatch.clear();
        if (kind == StepKind::Snapshot) snapshot(before);
        if (kind != StepKind::Undo && kind != StepKind::Redo) return false;
        const std::string* expected = kind == StepKind::Undo ? undo(before) : redo();
        const std::string& wanted = expected ? *expected : before;
        if (after != wanted)
            mismatch = std::string(kind == StepKind::Undo ? "undo " : "redo ") +
                       firstDifference(after, wanted);
        return expected != nullptr;
    }
};

} // namespace fuzz
