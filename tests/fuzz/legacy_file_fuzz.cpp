// Fuzz target: the legacy grid reader, called directly so every input reaches it.
#include "fuzz_support.h"
#include "model/legacy_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::quietModel();
    m->vertices.resize(6);
    std::string error;
    if (readLegacyModelData(*m, fuzz::bytes(data, size), &error)) {
        FUZZ_CHECK(m->LoadOK);
        FUZZ_CHECK(m->vertices.size() % 3 == 0);
    } else {
        FUZZ_CHECK(!m->LoadOK && !error.empty() && m->vertices.size() == 6 && m->meshes.empty());
    }
    fuzz::checkModel(*m);
    return 0;
}
