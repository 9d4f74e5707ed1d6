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

// Floats by their bits, so that a restore must be exact.
inline void put(std::string& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    out += std::to_string(bits) + ' ';
}
inline void put(std::string& out, int32_t i) {
    out += std::to_string(i) + ' ';
}

// What a snapshot holds, one line per record.
inline std::string heldState(const Model& m) {
    std::string out = "current material " + std::to_string(m.currentMaterial) + '\n';
    for (const Vertex& v : m.vertices) {
        out += v.selected ? "V selected " : "V ";
        if (v.locked) out += "locked ";
        for (float f : {v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ, v.textureX, v.textureY,
                        v.colourRed, v.colourGreen, v.colourBlue, v.colourAlpha})
            put(out, f);
        out += '\n';
    }
    for (const Mesh& k : m.meshes) {
        out += "M ";
        for (int32_t i : {k.firstVertex, k.triangleCount, k.MaterialNumber,
                          k.locked << 2 | k.smooth << 1 | k.trianglePins})
            put(out, i);
        for (float f : {k.centreX, k.centreY, k.centreZ}) put(out, f);
        out += '\n';
    }
    for (const Material& t : m.materials) {
        out += "MAT " + t.name + ' ';
        for (float f : {t.diffuseRed, t.ambientGreen, t.specularBlue, t.emissionAlpha, t.shininess,
                        t.colourRed})
            put(out, f);
        for (int32_t i : {t.blendSrc, t.blendDst, t.TextureIndex,
                          t.EnableBlend << 2 | t.EnableTexture << 1 | t.EnableLighting})
            put(out, i);
        out += '\n';
    }
    for (const Texture& t : m.textures) out += "TEX " + t.fileName + '\n';
    return out;
}

// The first line where two states differ, for a readable failure.
inline std::string firstDifference(const std::string& a, const std::string& b) {
    std::size_t line = 0, start = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()) && a[i] == b[i]; ++i)
        if (a[i] == '\n') ++line, start = i + 1;
    auto lineAt = [start](const std::string& s) {
        return s.substr(start, s.find('\n', start) - start);
    };
    if (a == b) return "no difference";
    return "line " + std::to_string(line) + ": \"" + lineAt(a) + "\" against \"" + lineAt(b) +
           "\" (" + std::to_string(a.size()) + " against " + std::to_string(b.size()) + " bytes)";
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
