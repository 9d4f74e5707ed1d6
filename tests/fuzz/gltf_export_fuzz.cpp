// Fuzz target: a model made from the input (positions, texture coordinates, meshes, materials)
// exported as .glb and imported again gives every mesh's triangles back.
#include "fuzz_support.h"
#include "model/gltf_export.h"
#include "model/gltf_import.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Corner = std::array<float, 5>;

// A mesh's triangles, sorted: the export may reorder triangles but keeps each one's corners.
std::vector<std::array<Corner, 3>> triangles(const Model& m, const Mesh& mesh) {
    std::vector<std::array<Corner, 3>> out;
    for (int32_t t = mesh.firstVertex; t < meshEndVertex(m, mesh); t += 3) {
        std::array<Corner, 3> tri;
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = m.vertices[t + k];
            tri[k] = {v.x, v.y, v.z, v.textureX, v.textureY};
        }
        out.push_back(tri);
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Bytes in{data, size};
    std::unique_ptr<Model> m = fuzz::quietModel();
    m->materials.resize(1 + in.byte() % 3);
    for (Material& mat : m->materials) {
        mat.diffuseRed = in.amount(2);
        mat.shininess = in.amount(200);
        mat.EnableLighting = in.byte() & 1;
        mat.EnableBlend = in.byte() & 1;
    }
    const int meshes = in.byte() % 4;
    for (int i = 0; i < meshes; ++i) {
        Mesh mesh;
        mesh.firstVertex = vertexCount(*m);
        mesh.triangleCount = in.byte() % 6;
        mesh.MaterialNumber = in.byte() % materialCount(*m);
        // Few distinct values, so corners coincide often.
        for (int k = 0; k < 3 * mesh.triangleCount; ++k) {
            Vertex v;
            v.x = in.amount(4), v.y = in.amount(4), v.z = in.amount(4);
            v.normalX = in.amount(1), v.normalY = in.amount(1), v.normalZ = 1;
            // Sixty-fourths: v flipped twice comes back exactly.
            v.textureX = in.byte() / 64.0f - 2, v.textureY = in.byte() / 64.0f - 2;
            m->vertices.push_back(v);
        }
        m->meshes.push_back(mesh);
    }
    const std::string glb = glbBytes(*m, PngSource());
    std::unique_ptr<Model> back = fuzz::quietModel();
    back->materials.resize(1);
    const FileResult r = importGltfData(*back, glb, "/nonexistent/in.glb");
    std::vector<const Mesh*> filled;
    for (const Mesh& mesh : m->meshes)
        if (mesh.triangleCount > 0) filled.push_back(&mesh);
    FUZZ_CHECK(r.ok == !filled.empty());
    if (!r.ok) return 0;
    FUZZ_CHECK(back->meshes.size() == filled.size());
    for (std::size_t i = 0; i < filled.size(); ++i) {
        FUZZ_CHECK(triangles(*back, back->meshes[i]) == triangles(*m, *filled[i]));
        const Material& a = m->materials[filled[i]->MaterialNumber];
        const Material& b = back->materials[back->meshes[i].MaterialNumber];
        FUZZ_CHECK(a.EnableLighting == b.EnableLighting && a.EnableBlend == b.EnableBlend);
    }
    fuzz::checkModel(*back);
    return 0;
}
