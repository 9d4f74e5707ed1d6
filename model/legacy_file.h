// The reader of model files without a version line (grid meshes of shared points).
#pragma once

#include "model/model.h"

#include <string>

// Reads data, a model file without a version line, into m: every grid cell becomes two
// triangles, every mesh is smooth. readModelFile has already moved the current directory and
// logged the opening lines; it sets the file name and current mesh after a success. On success
// the four arrays are replaced and LoadOK is set; normals are left dirty for the caller. On
// failure (a record number out of range, a grid of at least 2 x 2 points reaching past the grid
// points read or with a negative first point, a mesh naming a missing material, too many
// records, or data that is no model file: a line that is no record, comment or blank line, or
// no record at all) m is exactly as before and the reason is logged and stored in error. A mesh
// with a width or height below 2 has no triangles and reads no points.
bool readLegacyModelData(Model& m, const std::string& data, std::string* error);
