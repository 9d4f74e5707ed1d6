// Appending a model file to a model through a temporary model.
#include "model/model_import.h"

#include "base/paths.h"
#include "model/model_file.h"

#include <cstdint>
#include <new>

namespace {

const char* const kImportFailed = "Failed to load FW2 file for Importing!";

// a + b as an int32 cross-reference, or false when it does not fit.
bool shifted(int64_t a, int64_t b, int32_t& out) {
    const int64_t sum = a + b;
    if (sum < INT32_MIN || sum > INT32_MAX) return false;
    out = static_cast<int32_t>(sum);
    return true;
}

// Appends source to target; false (target untouched) when a count or index would overflow or
// memory runs out.
bool appendModel(Model& target, const Model& source) {
    const int64_t v = vertexCount(target), x = materialCount(target), t = textureCount(target);
    if (v + vertexCount(source) > INT32_MAX || meshCount(target) + meshCount(source) > INT32_MAX ||
        x + materialCount(source) > INT32_MAX || t + textureCount(source) > INT32_MAX)
        return false;

    std::vector<Mesh> meshes(source.meshes.size());
    std::vector<Material> materials(source.materials);
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const Mesh& from = source.meshes[i];
        Mesh& mesh = meshes[i];
        initMesh(mesh);
        if (!shifted(v, from.firstVertex, mesh.firstVertex) ||
            !shifted(x, from.MaterialNumber, mesh.MaterialNumber))
            return false;
        mesh.triangleCount = from.triangleCount;
        mesh.smooth = from.smooth;
    }
    // A negative index names no texture and must not come to name one of the target's; a
    // non-negative one lands among the imported textures, or past all of them as it was.
    for (Material& mat : materials)
        if (mat.TextureIndex >= 0 && !shifted(t, mat.TextureIndex, mat.TextureIndex)) return false;

    target.vertices.reserve(target.vertices.size() + source.vertices.size());
    target.meshes.reserve(target.meshes.size() + meshes.size());
    target.materials.reserve(target.materials.size() + materials.size());
    target.textures.reserve(target.textures.size() + source.textures.size());
    // Nothing below allocates: the target changes only once every check has passed.
    for (const Vertex& from : source.vertices) {
        Vertex vertex;
        initVertex(vertex);
        vertex.x = from.x, vertex.y = from.y, vertex.z = from.z;
        vertex.textureX = from.textureX, vertex.textureY = from.textureY;
        vertex.colourRed = from.colourRed, vertex.colourGreen = from.colourGreen;
        vertex.colourBlue = from.colourBlue, vertex.colourAlpha = from.colourAlpha;
        target.vertices.push_back(vertex);
    }
    target.meshes.insert(target.meshes.end(), meshes.begin(), meshes.end());
    for (Material& mat : materials) target.materials.push_back(std::move(mat));
    target.textures.insert(target.textures.end(), source.textures.begin(), source.textures.end());
    return true;
}

} // namespace

FileResult importModelFile(Model& target, const std::string& path) {
    Model imported; // restarts the log file, as every new model does
    target.useInitialDirectory = false;
    std::string error;
    bool ok = false;
    if (!path.empty()) {
        const std::string directory = currentDirectory();
        imported.fileName = path;
        imported.loadWithoutDialog = true; // the caller's dialog already chose the file
        ok = readModelFile(imported, &error);
        if (ok) {
            try {
                ok = appendModel(target, imported);
            } catch (const std::bad_alloc&) {
                ok = false;
            }
            if (!ok) {
                error = "ERROR: " + path + " - too large to append to this model";
                logEntry(target.log, error);
            }
        }
        setCurrentDirectory(directory);
    }
    if (ok) return fileSucceeded();
    logEntry(target.log, kImportFailed);
    if (path.empty()) {
        FileResult cancelled;
        cancelled.error = kImportFailed;
        return cancelled;
    }
    return fileFailed(error.empty() ? kImportFailed : error, "The model file could not be imported",
                      path);
}
