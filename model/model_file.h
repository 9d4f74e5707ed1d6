// The model file (FW2): reader and writer.
#pragma once

#include "base/product.h"
#include "model/model.h"

#include <cstdint>
#include <string>
#include <vector>

// Reads m.fileName into m. When m.loadWithoutDialog is set the current directory first moves
// to the file's folder (texture names are relative to it) and the flag is cleared; the
// use-initial-directory flag is cleared too. On success the arrays are replaced, LoadOK is set,
// the current mesh is 0 and a relative file name is made absolute (it was taken against the
// directory current before the move); normals are left dirty for the caller to recalculate. On
// failure (unreadable file, record number out of range, a mesh reaching outside the vertices or
// naming a missing material) the model is exactly as before, LoadOK included, the current
// directory is moved back, the reason is logged and, when error is given, stored there as the
// same text. A file without a version line is handed to the legacy reader.
bool readModelFile(Model& m, std::string* error = nullptr);

// The same for a file already in memory, without the directory and name handling: data holds a
// model file with or without its version line; m.fileName only names it in the log. On success
// the four arrays are replaced and LoadOK is set; on failure m is as before.
bool readModelData(Model& m, std::string data, std::string* error = nullptr);

// Writes m to m.fileName through a temporary sibling renamed over the target, so a failed save
// leaves the previous file intact; error then holds "Failed to Open File for Saving!" and, on a
// line of its own, the reason. A file in another folder than m.textureFolder gets texture names
// that find the same images from its own folder. Normals are the caller's business.
bool writeModelFile(const Model& m, std::string* error = nullptr);
// The same to another path; m.fileName stays as it is.
bool writeModelFileAs(const Model& m, const std::string& path, std::string* error = nullptr);

// The model file's text with the texture names as m holds them, as writeModelFile stores it in
// m.textureFolder.
std::string modelFileText(const Model& m);

// ---- Unsaved changes ----

// The records a model file holds, copied out of a Model: a snapshot another thread may write.
struct ModelRecords {
    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
};
void copyModelRecords(const Model& m, ModelRecords& out);
// The model file's text of a snapshot, and its stamp when asked for.
std::string recordsFileText(const ModelRecords& r, uint64_t* stamp = nullptr);

// A 64-bit hash of exactly the bytes modelFileText gives, without holding the text: two models
// whose files would differ in any byte (geometry, texture coordinates, colours, meshes,
// materials, texture names) have different stamps but for a 2^-64 chance. Selection, locks,
// hidden flags and normals are not in the file, so they do not count.
uint64_t modelFileStamp(const Model& m);
// A quick hash of the bits of every field the file stores, for noticing cheaply that nothing
// changed since the last look (a value that prints alike may still differ here).
uint64_t modelRecordsDigest(const Model& m);
// The model as its file now holds it: after a load, a new model, a save.
void markModelSaved(Model& m);
// The model differs from its file until the next markModelSaved, whatever it holds.
void markModelChanged(Model& m);
// Whether saving would write something else than the file held when last marked saved. A model
// never marked has nothing to lose.
bool modelChanged(const Model& m);
