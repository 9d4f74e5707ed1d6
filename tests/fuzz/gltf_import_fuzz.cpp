// Fuzz target: glTF import (binary or JSON, by the input's first bytes) appended to a model that
// already holds a mesh, a material and a texture, which stay as they were.
#include "fuzz_support.h"
#include "model/gltf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::quietModel();
    m->vertices.resize(3);
    for (int i = 0; i < 3; ++i) m->vertices[i].x = static_cast<float>(i);
    m->meshes.resize(1);
    m->meshes[0].triangleCount = 1;
    m->materials.resize(1);
    m->textures.push_back({"./old.png", 0});
    m->currentMesh = 0;

    // External buffers and images resolve against a folder that does not exist.
    const FileResult r = importGltfData(*m, fuzz::bytes(data, size), "/nonexistent/in.gltf");
    if (r.ok) {
        FUZZ_CHECK(m->vertices.size() > 3 && m->vertices.size() % 3 == 0 && m->meshes.size() > 1);
        // every new mesh is its own run of the appended vertices, in order
        int32_t next = 3;
        for (std::size_t i = 1; i < m->meshes.size(); ++i) {
            FUZZ_CHECK(m->meshes[i].firstVertex == next && m->meshes[i].triangleCount > 0);
            next += 3 * m->meshes[i].triangleCount;
        }
        FUZZ_CHECK(next == static_cast<int32_t>(m->vertices.size()));
        for (const Material& mat : m->materials)
            FUZZ_CHECK(!mat.EnableTexture ||
                       (mat.TextureIndex >= 1 && mat.TextureIndex < textureCount(*m)));
    } else {
        FUZZ_CHECK(!r.boxText.empty());
        FUZZ_CHECK(m->vertices.size() == 3 && m->meshes.size() == 1);
        FUZZ_CHECK(m->materials.size() == 1 && m->textures.size() == 1);
    }
    for (int i = 0; i < 3; ++i) FUZZ_CHECK(m->vertices[i].x == static_cast<float>(i));
    FUZZ_CHECK(m->textures[0].fileName == "./old.png");
    fuzz::checkModel(*m);
    return 0;
}
