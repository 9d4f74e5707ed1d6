// Fuzz target: random sequences of the editor's commands, gestures, undos and redos on a small
// model, with the model's invariants checked after every step and every undo and redo against
// reference copies.
#include "edit_steps.h"
#include "undo_reference.h"

namespace {

// Below this size no operation may produce a value that is not finite.
constexpr float kModest = 1e4f;

bool modest(const Model& m) {
    for (const Vertex& v : m.vertices)
        if (!(std::fabs(v.x) <= kModest && std::fabs(v.y) <= kModest && std::fabs(v.z) <= kModest &&
              std::fabs(v.textureX) <= kModest && std::fabs(v.textureY) <= kModest))
            return false;
    return true;
}

void checkEdited(const Model& m, bool wasModest) {
    fuzz::checkModel(m);
    FUZZ_CHECK(m.vertices.size() % 3 == 0);
    for (const Mesh& mesh : m.meshes) FUZZ_CHECK(mesh.firstVertex % 3 == 0);
    for (const Material& mat : m.materials)
        FUZZ_CHECK(mat.TextureIndex >= kNoTexture && mat.TextureIndex < textureCount(m));
    FUZZ_CHECK(!m.materials.empty());
    const UndoHistory& u = m.undo;
    FUZZ_CHECK(u.oldest >= 0 && u.oldest <= u.position && u.position <= u.top &&
               u.top < 4 * int32_t(u.slots.size()));
    if (wasModest) fuzz::checkFinite(m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Bytes in{data, size};
    fuzz::QuietEditor q;
    Model* m = &q.editor->edit;
    fuzz::buildSmallModel(*m);
    const int32_t maxUndo = 1 + in.byte() % 6;
    setupUndo(*m, maxUndo);
    fuzz::Reference history;
    history.slots = static_cast<std::size_t>(maxUndo) + 1;
    std::string before, after, mismatch;
    for (int steps = 0; !in.empty() && steps < 300; ++steps) {
        const bool wasModest = modest(*m);
        const bool historyStep = fuzz::stepMayUseHistory(in);
        if (historyStep) before = fuzz::heldState(*m);
        const fuzz::StepKind kind = fuzz::applyEditStep(q, in);
        checkEdited(*m, wasModest);
        if (!historyStep) continue;
        if (kind == fuzz::StepKind::Undo || kind == fuzz::StepKind::Redo)
            after = fuzz::heldState(*m);
        history.follow(kind, before, after, mismatch);
        if (!mismatch.empty()) std::fprintf(stderr, "step %d: %s\n", steps, mismatch.c_str());
        FUZZ_CHECK(mismatch.empty());
    }
    completeNormals(*m);
    checkEdited(*m, modest(*m));
    return 0;
}
