// Fuzz target: the writers as round trips. Whatever model the reader makes of the input is
// written as a model file, read back and written again: both texts must be the same, and so must
// the counts. Its OBJ export, imported again, must give back every triangle at the positions
// written.
#include "base/numbers.h"
#include "fuzz_support.h"
#include "model/model_file.h"
#include "model/obj_export.h"
#include "model/obj_import.h"

namespace {

// The float a file holds for f: six decimals, read back.
float asWritten(float f) {
    std::string text;
    appendFixed6(text, f);
    float back = 0;
    return parseFloat(text, back) ? back : f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::unique_ptr<Model> m = fuzz::quietModel();
    if (!readModelData(*m, fuzz::bytes(data, size))) return 0;

    const std::string text = modelFileText(*m);
    std::unique_ptr<Model> back = fuzz::quietModel();
    FUZZ_CHECK(readModelData(*back, text));
    FUZZ_CHECK(back->vertices.size() == m->vertices.size() &&
               back->meshes.size() == m->meshes.size() &&
               back->materials.size() == m->materials.size() &&
               back->textures.size() == m->textures.size());
    FUZZ_CHECK(modelFileText(*back) == text);

    // OBJ: one face per whole triangle, appended to a model with one material.
    const std::string obj = objFileText(*m);
    std::unique_ptr<Model> imported = fuzz::quietModel();
    imported->materials.resize(1);
    const int32_t triangles = triangleCount(*m);
    const FileResult r = importObjData(*imported, obj, "round.obj");
    if (triangles == 0) return 0; // nothing to import: the importer refuses an empty file
    FUZZ_CHECK(r.ok);
    FUZZ_CHECK(triangleCount(*imported) == triangles);
    for (int32_t i = 0; i < 3 * triangles; ++i) {
        const Vertex& a = m->vertices[i];
        const Vertex& b = imported->vertices[i];
        FUZZ_CHECK((b.x == asWritten(a.x) || (b.x != b.x)) &&
                   (b.y == asWritten(a.y) || b.y != b.y) && (b.z == asWritten(a.z) || b.z != b.z));
    }
    return 0;
}
