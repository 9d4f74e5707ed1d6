// Undo stress: long random runs of the editor's commands and gestures, undos and redos, each undo
// and redo checked against an unbounded list of reference copies of what a snapshot holds.
#include "fuzz/edit_steps.h"
#include "fuzz/undo_reference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

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
    if (rng() % 3 == 0) { // undo or redo, through their rows of the table
        const int wanted = rng() % 2 ? CmdUndo : CmdRedo;
        for (std::size_t i = 0; i < commandCount(); ++i)
            if (commandTable()[i].id == wanted) n = static_cast<int32_t>(i);
        step[0] = static_cast<uint8_t>(n);
        step[1] = static_cast<uint8_t>(n >> 8);
        step[2] = 0;
        return step;
    }
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
        fuzz::QuietEditor q;
        Model& m = q.editor->edit;
        fuzz::buildSmallModel(m);
        setupUndo(m, run.maxUndo);
        fuzz::Reference ref;
        ref.slots = static_cast<std::size_t>(run.maxUndo) + 1;
        int undone = 0, redone = 0;
        for (int i = 0; i < run.steps && !HasFailure(); ++i) {
            const std::vector<uint8_t> step = randomStep(rng);
            fuzz::Bytes in{step.data(), step.size()};
            const std::string before = fuzz::heldState(m);
            const fuzz::StepKind kind = fuzz::applyEditStep(q, in);
            const std::string after = fuzz::heldState(m);
            std::string mismatch;
            const bool moved = ref.follow(kind, before, after, mismatch);
            ASSERT_TRUE(mismatch.empty()) << "step " << i << ' ' << mismatch;
            if (!moved) continue;
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
