// Material and texture lists: append, delete, strip unused, copy between models.
#include "edit/materials.h"

#include <algorithm>
#include <vector>

namespace {

// OpenGL blend factors, as the model file stores them.
constexpr int32_t kGlSrcAlpha = 0x0302;
constexpr int32_t kGlOneMinusSrcAlpha = 0x0303;

// Pulls a mesh's material index into [0, count); count must be positive.
void clampMeshMaterial(Mesh& mesh, int32_t count) {
    mesh.MaterialNumber = std::clamp(mesh.MaterialNumber, 0, count - 1);
}

// The lowest index below count that no user refers to through indexOf, or -1 when all are used.
template <typename User, typename IndexOf>
int32_t firstUnused(int32_t count, const std::vector<User>& users, IndexOf indexOf) {
    std::vector<char> used(static_cast<std::size_t>(count), 0);
    for (const User& user : users) {
        const int32_t i = indexOf(user);
        if (i >= 0 && i < count) used[static_cast<std::size_t>(i)] = 1;
    }
    const auto unused = std::find(used.begin(), used.end(), 0);
    return unused == used.end() ? -1 : static_cast<int32_t>(unused - used.begin());
}

} // namespace

Material defaultMaterial() {
    Material mat;
    mat.name = "Default";
    mat.colourRed = mat.colourGreen = mat.colourBlue = mat.colourAlpha = 1.0f;
    mat.ambientRed = mat.ambientGreen = mat.ambientBlue = 0.2f;
    mat.diffuseRed = mat.diffuseGreen = mat.diffuseBlue = 0.8f;
    mat.ambientAlpha = mat.diffuseAlpha = mat.specularAlpha = mat.emissionAlpha = 1.0f;
    mat.blendSrc = kGlSrcAlpha;
    mat.blendDst = kGlOneMinusSrcAlpha;
    mat.TextureIndex = kNoTexture;
    mat.EnableLighting = true;
    return mat;
}

int32_t usableMaterial(Model& m, int32_t wanted) {
    if (m.materials.empty()) m.materials.push_back(defaultMaterial());
    return wanted >= 0 && wanted < materialCount(m) ? wanted : 0;
}

void appendMaterial(Model& m) {
    if (m.materials.empty()) {
        m.materials.push_back(defaultMaterial());
    } else {
        const int32_t from = std::clamp(m.currentMaterial, 0, materialCount(m) - 1);
        Material copy = m.materials[from]; // copied first: the push may move the list
        m.materials.push_back(std::move(copy));
    }
    m.currentMaterial = materialCount(m) - 1;
}

bool deleteMaterial(Model& m, int32_t a) {
    if (a < 0 || a >= materialCount(m) || materialCount(m) < 2) return false;
    m.materials.erase(m.materials.begin() + a);
    const int32_t count = materialCount(m);
    for (Mesh& mesh : m.meshes) {
        if (mesh.MaterialNumber > a) --mesh.MaterialNumber;
        // Users of a keep index a, which is the next material, or the last when a was last.
        clampMeshMaterial(mesh, count);
    }
    m.currentMaterial = count - 1;
    return true;
}

bool deleteTexture(Model& m, int32_t j) {
    if (j < 0 || j >= textureCount(m)) return false;
    m.textures.erase(m.textures.begin() + j);
    for (Material& mat : m.materials) {
        if (mat.TextureIndex == j)
            mat.TextureIndex = kNoTexture;
        else if (mat.TextureIndex > j)
            --mat.TextureIndex;
    }
    return true;
}

void stripUnusedMaterialsAndTextures(Model& m) {
    // Deleting the first unused entry and looking again from the start removes every unused one
    // in index order; the usage tables are rebuilt after each deletion since indices move.
    auto materialOf = [](const Mesh& mesh) { return mesh.MaterialNumber; };
    for (int32_t a; (a = firstUnused(materialCount(m), m.meshes, materialOf)) >= 0;)
        if (!deleteMaterial(m, a)) break; // the last material stays
    auto textureOf = [](const Material& mat) { return mat.TextureIndex; };
    for (int32_t j; (j = firstUnused(textureCount(m), m.materials, textureOf)) >= 0;)
        deleteTexture(m, j);
}

void copyMaterialsAndTextures(const Model& source, Model& destination) {
    if (&source == &destination) return;
    destination.materials = source.materials;
    destination.textures = source.textures;
    destination.currentMaterial = source.currentMaterial;
    if (destination.materials.empty()) return;
    for (Mesh& mesh : destination.meshes)
        if (mesh.MaterialNumber < 0 || mesh.MaterialNumber >= materialCount(destination))
            clampMeshMaterial(mesh, materialCount(destination));
}
