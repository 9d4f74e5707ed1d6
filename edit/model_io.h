// Loading and saving a whole model: the file work plus the normals that go with it.
#pragma once

#include "model/file_formats.h"
#include "model/model.h"

#include <string>

// Reads m.fileName (see readModelFile), then runs the first normals pass on success.
bool loadModel(Model& m, std::string* error = nullptr);
// Recalculates normals, then writes m.fileName as a model file.
bool saveModel(Model& m, std::string* error = nullptr);

// Reads the file at path, of an import format (OBJ), as a new model: the records of
// newModelText (a model file, the default new model) without its vertices and meshes, then the
// file's meshes appended, normals recalculated, texture names relative to the file's folder
// (textureFolder). The file name and its flags are the caller's. On
// failure m is exactly as it was and the result says why.
FileResult importAsNewModel(Model& m, const FileFormat& format, const std::string& path,
                            const std::string& newModelText);
