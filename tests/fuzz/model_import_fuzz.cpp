// Fuzz target: importing a model file into a model that already holds records. Either the import
// fails and the model is exactly as it was, or the file's records come after the old ones, which
// stay as they were, with every cross-reference shifted past them.
#include "fuzz_support.h"
#include "model/model_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::modelWithTwoMeshes();
    m->materials[1].TextureIndex = 0;
    m->textures.resize(1);
    m->textures[0].fileName = "old.bmp";

    // The importer reads a file: the scratch file is the input.
    const FileResult r = importModelFile(*m, fuzz::scratchFile(data, size));
    if (!r.ok) {
        FUZZ_CHECK(!r.boxText.empty());
        FUZZ_CHECK(m->vertices.size() == 9 && m->meshes.size() == 2 && m->materials.size() == 2 &&
                   m->textures.size() == 1);
    }
    for (int i = 0; i < 9; ++i) FUZZ_CHECK(m->vertices[i].x == static_cast<float>(i));
    FUZZ_CHECK(m->meshes[1].firstVertex == 3 && m->meshes[1].triangleCount == 2);
    FUZZ_CHECK(m->materials[1].TextureIndex == 0 && m->textures[0].fileName == "old.bmp");
    FUZZ_CHECK(m->currentMesh == 1);
    for (std::size_t k = 2; k < m->meshes.size(); ++k)
        FUZZ_CHECK(m->meshes[k].triangleCount == 0 ||
                   (m->meshes[k].firstVertex >= 9 && m->meshes[k].MaterialNumber >= 2));
    for (std::size_t k = 2; k < m->materials.size(); ++k)
        FUZZ_CHECK(m->materials[k].TextureIndex < 0 || m->materials[k].TextureIndex >= 1);
    fuzz::checkModel(*m);
    return 0;
}
