// Fuzz target: OBJ import appended to a model that already holds two meshes, so the offsets of
// the appended records are exercised along with the parser.
#include "fuzz_support.h"
#include "model/obj_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::modelWithTwoMeshes();

    const FileResult r = importObjData(*m, fuzz::bytes(data, size), "input.obj");
    if (r.ok) {
        FUZZ_CHECK(m->vertices.size() > 9 && m->vertices.size() % 3 == 0 && m->meshes.size() > 2);
        FUZZ_CHECK(m->currentMesh == 0);
    } else {
        FUZZ_CHECK(!r.boxText.empty());
        FUZZ_CHECK(m->vertices.size() == 9 && m->meshes.size() == 2 && m->currentMesh == 1);
    }
    // The old records are untouched either way.
    for (int i = 0; i < 9; ++i) FUZZ_CHECK(m->vertices[i].x == static_cast<float>(i));
    FUZZ_CHECK(m->meshes[1].firstVertex == 3 && m->meshes[1].triangleCount == 2);
    FUZZ_CHECK(m->materials.size() == 2);
    fuzz::checkModel(*m);
    return 0;
}
