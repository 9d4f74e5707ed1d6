// Undo stress: long random runs of the editor's steps, undos and redos, each undo and redo checked
// against an unbounded list of reference copies of what a snapshot holds.
#include "fuzz/edit_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Floats by their bits, so that a restore must be exact.
void put(std::string& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    out += std::to_string(bits) + ' ';
}
void put(std::string& out, int32_t i) {
    out += std::to_string(i) + ' ';
}

// What a snapshot holds, one line per record.
std::string heldState(const Model& m) {
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
std::string firstDifference(const std::string& a, const std::string& b) {
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
};

// One step's bytes: index, operation, amounts; a third of the steps are undos or redos.
std::vector<uint8_t> randomStep(std::mt19937& rng) {
    std::vector<uint8_t> step(16);
    for (uint8_t& b : step) b = static_cast<uint8_t>(rng());
    int32_t n = static_cast<int16_t>(rng());
    if (rng() % 3 == 0)
        n = rng() % 6;
    else if (rng() % 2 == 0)
        n = 3 * (rng() % 40);
    step[0] = static_cast<uint8_t>(n);
    step[1] = static_cast<uint8_t>(n >> 8);
    if (rng() % 3 == 0) step[2] = static_cast<uint8_t>(38 + rng() % 2); // undo, redo
    return step;
}

} // namespace

TEST(UndoStress, RandomEditsUndosAndRedosMatchTheReferenceCopies) {
    struct Run {
        uint32_t seed;
        int32_t maxUndo;
        int steps;
    };
    // Small rings wrap their bounded counters many times; the default ring of 10 steps.
    const Run runs[] = {{1, 1, 700}, {2, 3, 700}, {3, 10, 700}, {4, 10, 700}, {5, 40, 500}};
    for (const Run& run : runs) {
        SCOPED_TRACE("seed " + std::to_string(run.seed));
        std::mt19937 rng(run.seed);
        Model m;
        fuzz::buildSmallModel(m);
        setupUndo(m, run.maxUndo);
        Reference ref;
        ref.slots = static_cast<std::size_t>(run.maxUndo) + 1;
        int undone = 0, redone = 0;
        for (int i = 0; i < run.steps && !HasFailure(); ++i) {
            const std::vector<uint8_t> step = randomStep(rng);
            fuzz::Bytes in{step.data(), step.size()};
            const std::string before = heldState(m);
            fuzz::StepKind kind = fuzz::applyEditStep(m, in);
            const std::string after = heldState(m);
            if (kind == fuzz::StepKind::Snapshot) ref.snapshot(before);
            if (kind != fuzz::StepKind::Undo && kind != fuzz::StepKind::Redo) continue;
            const std::string* expected =
                kind == fuzz::StepKind::Undo ? ref.undo(before) : ref.redo();
            // A step with nowhere to go leaves the model as it was.
            const std::string& wanted = expected ? *expected : before;
            ASSERT_TRUE(after == wanted)
                << "step " << i << (kind == fuzz::StepKind::Undo ? " undo " : " redo ")
                << firstDifference(after, wanted);
            if (!expected) continue;
            (kind == fuzz::StepKind::Undo ? undone : redone) += 1;
            // A restored model shows every mesh, picks nothing and keeps its indices inside it.
            for (const Mesh& k : m.meshes) EXPECT_FALSE(k.hidden);
            for (const Vertex& v : m.vertices) EXPECT_FALSE(v.picked);
            EXPECT_TRUE(m.meshes.empty() || (m.currentMesh >= 0 && m.currentMesh < meshCount(m)));
            EXPECT_TRUE(m.currentTriangle % 3 == 0 && m.currentTriangle >= 0 &&
                        (m.currentTriangle < vertexCount(m) || m.currentTriangle == 0));
        }
        // Each run really went back and forth.
        EXPECT_GT(undone, run.steps / 20);
        EXPECT_GT(redone, run.steps / 40);
    }
}
