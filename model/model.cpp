// Model construction, record initialisers and simple queries.
#include "model/model.h"

#include "base/paths.h"

#include <algorithm>

Model::Model() : Model(userLogPath()) {}

Model::Model(const std::string& logPath) {
    logOpen(log, logPath);
}

int32_t vertexCount(const Model& m) {
    return static_cast<int32_t>(m.vertices.size());
}
int32_t meshCount(const Model& m) {
    return static_cast<int32_t>(m.meshes.size());
}

bool hasCurrentMesh(const Model& m) {
    return m.currentMesh >= 0 && m.currentMesh < meshCount(m);
}
int32_t materialCount(const Model& m) {
    return static_cast<int32_t>(m.materials.size());
}
int32_t textureCount(const Model& m) {
    return static_cast<int32_t>(m.textures.size());
}
int32_t triangleCount(const Model& m) {
    return vertexCount(m) / 3;
}

void initVertex(Vertex& v) {
    v = Vertex{};
}
void initMesh(Mesh& m) {
    m = Mesh{};
}

int32_t meshOfVertex(const Model& m, int32_t i) {
    for (int32_t k = 0; k < meshCount(m); ++k) {
        const Mesh& mesh = m.meshes[k];
        if (mesh.triangleCount <= 0) continue;
        int64_t end = static_cast<int64_t>(mesh.firstVertex) + 3LL * mesh.triangleCount;
        if (i >= mesh.firstVertex && i < end) return k;
    }
    return -1;
}

int32_t meshEndVertex(const Model& m, const Mesh& mesh) {
    if (mesh.firstVertex < 0 || mesh.triangleCount <= 0) return std::max(mesh.firstVertex, 0);
    int64_t end = static_cast<int64_t>(mesh.firstVertex) + 3LL * mesh.triangleCount;
    int64_t whole = 3LL * triangleCount(m);
    return static_cast<int32_t>(std::max<int64_t>(mesh.firstVertex, std::min(end, whole)));
}
