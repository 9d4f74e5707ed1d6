// The file formats the program reads and writes: one table row each.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

enum FileFormatId : int {
    FormatModel,
    FormatObj,
    FormatGlb,
    FormatGltf,
    FormatObjMaterials, // shares .OBJ with FormatObj, which the extension finds; chosen by name
    FormatStl,
    FileFormatCount
};

struct FileFormat {
    FileFormatId id;
    const char* extension;     // upper case, without the dot; matched in any case
    const char* filterName;    // the file dialogs' filter
    const char* filterPattern; // "*.FW2;"
    // An import format appends meshes to the model it reads into; a model format replaces it.
    bool imports;
    // The writer stores normals, so pending ones are finished first.
    bool writesNormals;
    // Null for a format that is only written.
    // Reads the file at path into m: a model format follows the load protocol of readModelFile
    // (the current directory moves to the file's folder); m is unchanged on failure.
    FileResult (*readFile)(Model& m, const std::string& path);
    // The same for a file already in memory; path only names it in messages.
    FileResult (*readData)(Model& m, std::string data, const std::string& path);
    // Writes m to path through a temporary file, so a failure keeps any old file. png encodes
    // texture images for the formats that embed them; the others ignore it.
    FileResult (*write)(const Model& m, const std::string& path, const PngSource& png);
};

const FileFormat& fileFormat(FileFormatId id);
// The format whose extension path has, or null; .OBJ is the flat OBJ layout.
const FileFormat* fileFormatOfPath(const std::string& path);
// ".FW2, .OBJ": the extensions of every format, for messages.
std::string knownExtensions();
