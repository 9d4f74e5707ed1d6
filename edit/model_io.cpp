// Whole-model load and save: file work from model/, normals from here.
#include "edit/model_io.h"

#include "base/paths.h"
#include "edit/normals.h"
#include "model/model_file.h"

#include <new>
#include <utility>

bool saveModel(Model& m, std::string* error) {
    recalculateNormals(m);
    return writeModelFile(m, error);
}

namespace {

// What importAsNewModel replaces, kept to be given back when it fails.
struct HeldRecords {
    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    bool loadOk = false;
    int32_t currentMesh = 0;
};

void swapRecords(Model& m, HeldRecords& h) {
    m.vertices.swap(h.vertices);
    m.meshes.swap(h.meshes);
    m.materials.swap(h.materials);
    m.textures.swap(h.textures);
    std::swap(m.LoadOK, h.loadOk);
    std::swap(m.currentMesh, h.currentMesh);
}

} // namespace

bool loadModel(Model& m, std::string* error) {
    // The old records wait aside (the reader builds new ones before it lets them go anyway), so
    // a load that runs out of memory anywhere gives the model back exactly as it was.
    HeldRecords held;
    swapRecords(m, held);
    const std::string fileName = m.fileName, textureFolder = m.textureFolder;
    const std::string directory = currentDirectory();
    bool ok = false;
    try {
        ok = readModelFile(m, error);
        if (ok) recalculateNormals(m);
    } catch (const std::bad_alloc&) {
        const std::string why = "ERROR: not enough memory to load " + fileName;
        logEntry(m.log, why);
        if (error) *error = why;
        m.fileName = fileName;
        m.textureFolder = textureFolder;
        setCurrentDirectory(directory);
        ok = false;
    }
    if (!ok) {
        swapRecords(m, held);
        return false;
    }
    m.currentMesh = 0;
    return true;
}

FileResult importAsNewModel(Model& m, const FileFormat& format, const std::string& path,
                            const std::string& newModelText) {
    HeldRecords held;
    swapRecords(m, held);
    std::string error;
    FileResult r;
    try {
        if (!readModelData(m, newModelText, &error)) {
            r = fileFailed(error, "The default new model could not be set up", path);
        } else {
            m.vertices.clear();
            m.meshes.clear();
            r = format.readFile(m, path);
        }
        if (r.ok) recalculateNormals(m);
    } catch (const std::bad_alloc&) {
        r = fileFailed("ERROR: not enough memory to import " + path,
                       "The file could not be imported", path);
        logEntry(m.log, r.error);
    }
    if (!r.ok) {
        swapRecords(m, held);
        return r;
    }
    // The file's texture names (glTF images) are relative to its folder.
    m.textureFolder = folderOf(absolutePath(path));
    return r;
}
