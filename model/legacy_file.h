// The reader of model files without a version line (grid meshes of shared points).
#pragma once

#include "model/model.h"

#include <string>

// Reads m.fileName, a model file without a version line, into m. readModelFile has already
// moved the current directory to the file's folder. Not supported yet: logs and returns
// "ERROR: <file> - model files without a version line are not supported yet" (also through
// error) and leaves m unchanged.
bool readLegacyModelFile(Model& m, std::string* error);
