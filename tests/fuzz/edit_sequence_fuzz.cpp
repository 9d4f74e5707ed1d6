// Fuzz target: random sequences of editing steps, undos and redos on a small model, with the
// model's invariants checked after every step.
#include "edit_steps.h"

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
    FUZZ_CHECK(u.position >= 0 && u.position <= u.top && u.top < 4 * int32_t(u.slots.size()));
    if (wasModest) fuzz::checkFinite(m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Bytes in{data, size};
    std::unique_ptr<Model> m = fuzz::quietModel();
    fuzz::buildSmallModel(*m);
    setupUndo(*m, 1 + in.byte() % 6);
    for (int steps = 0; !in.empty() && steps < 400; ++steps) {
        const bool wasModest = modest(*m);
        fuzz::applyEditStep(*m, in);
        checkEdited(*m, wasModest);
    }
    completeNormals(*m);
    checkEdited(*m, modest(*m));
    return 0;
}
