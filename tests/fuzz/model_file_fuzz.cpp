// Fuzz target: the model file reader (and the legacy reader it hands files without a version
// line to). A load either fails leaving the model as it was, or yields a sound model.
#include "fuzz_support.h"
#include "model/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::quietModel();
    m->vertices.resize(3);
    m->meshes.resize(1);
    m->meshes[0].triangleCount = 1;
    m->materials.resize(1);
    std::string error;
    if (readModelData(*m, fuzz::bytes(data, size), &error)) {
        FUZZ_CHECK(m->LoadOK && error.empty());
    } else {
        FUZZ_CHECK(!m->LoadOK && !error.empty());
        FUZZ_CHECK(m->vertices.size() == 3 && m->meshes.size() == 1 && m->materials.size() == 1);
    }
    fuzz::checkModel(*m);
    return 0;
}
