// The baseline for the tool's whole-process timing: a plain tinyobjloader program that loads an
// OBJ file and prints its counts and bounds, as `facetwright-tool info` does.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, argv[1])) return 1;
    std::size_t triangles = 0;
    for (const tinyobj::shape_t& s : shapes) triangles += s.mesh.num_face_vertices.size();
    std::printf("vertices: %zu\ntriangles: %zu\nmeshes: %zu\n", 3 * triangles, triangles,
                shapes.size());
    const std::vector<float>& v = attrib.vertices;
    if (v.size() >= 3) {
        float b[6] = {v[0], v[1], v[2], v[0], v[1], v[2]};
        for (std::size_t i = 0; i + 2 < v.size(); i += 3)
            for (int k = 0; k < 3; ++k)
                b[k] = std::min(b[k], v[i + k]), b[3 + k] = std::max(b[3 + k], v[i + k]);
        std::printf("bounds: %f %f %f %f %f %f\n", b[0], b[1], b[2], b[3], b[4], b[5]);
    }
    return 0;
}
