// The format table: each format's extension, dialog filter, reader and writer.
#include "model/file_formats.h"

#include "base/paths.h"
#include "model/gltf_export.h"
#include "model/gltf_import.h"
#include "model/model_file.h"
#include "model/obj_export.h"
#include "model/obj_import.h"
#include "model/obj_materials_export.h"
#include "model/stl_export.h"

#include <utility>

namespace {

const char* const kModelLoadFailed = "The model file could not be loaded";

FileResult modelResult(bool ok, const std::string& error, const std::string& path) {
    return ok ? fileSucceeded() : fileFailed(error, kModelLoadFailed, path);
}

FileResult readModelPath(Model& m, const std::string& path) {
    m.fileName = path;
    m.loadWithoutDialog = true;
    std::string error;
    return modelResult(readModelFile(m, &error), error, path);
}

FileResult readModelBytes(Model& m, std::string data, const std::string& path) {
    std::string error;
    return modelResult(readModelData(m, std::move(data), &error), error, path);
}

// A failed save shows the logged line alone, as the Save command always has.
FileResult writeModel(const Model& m, const std::string& path, const PngSource&) {
    std::string error;
    if (writeModelFileAs(m, path, &error)) return fileSucceeded();
    FileResult r;
    r.error = error;
    r.boxText = error;
    r.boxCaption = "ERROR";
    return r;
}

FileResult writeObj(const Model& m, const std::string& path, const PngSource&) {
    return exportObj(m, path);
}

constexpr FileFormat kFormats[] = {
    {FormatModel, "FW2", "Facetwright v2.0 Model", "*.FW2;", false, false, readModelPath,
     readModelBytes, writeModel},
    {FormatObj, "OBJ", "Object File", "*.OBJ;", true, true, importObj, importObjData, writeObj},
    {FormatGlb, "GLB", "glTF 2.0 Binary", "*.GLB;", true, true, importGltf, importGltfData,
     exportGltf},
    {FormatGltf, "GLTF", "glTF 2.0", "*.GLTF;", true, true, importGltf, importGltfData, exportGltf},
    {FormatObjMaterials, "OBJ", "Object File with Materials", "*.OBJ;", false, true, nullptr,
     nullptr, exportObjWithMaterials},
    {FormatStl, "STL", "STL File", "*.STL;", false, false, nullptr, nullptr, exportStl},
};
static_assert(sizeof kFormats / sizeof kFormats[0] == FileFormatCount, "one row per format");
constexpr bool rowsInOrder() {
    for (int i = 0; i < FileFormatCount; ++i)
        if (kFormats[i].id != i) return false;
    return true;
}
static_assert(rowsInOrder(), "rows in the order of their ids");

} // namespace

const FileFormat& fileFormat(FileFormatId id) {
    return kFormats[id];
}

const FileFormat* fileFormatOfPath(const std::string& path) {
    const std::string ext = upperExtension(path);
    for (const FileFormat& f : kFormats)
        if (ext == f.extension) return &f;
    return nullptr;
}

std::string knownExtensions() {
    std::string out;
    for (const FileFormat& f : kFormats) {
        // OBJ with materials shares .OBJ: each extension once.
        if (fileFormatOfPath(std::string("x.") + f.extension) != &f) continue;
        if (!out.empty()) out += ", ";
        out += std::string(".") + f.extension;
    }
    return out;
}
