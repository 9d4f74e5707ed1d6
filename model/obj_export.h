// Exporting a model as one flat Wavefront OBJ triangle list.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// The OBJ text of m: header, "v", "vt" and "vn" lines for every vertex (hidden and locked meshes
// included), then "f k k+1 k+2" for every whole triangle, then the trailer. Normals are written as
// they are: the caller finishes the normal recalculation first.
std::string objFileText(const Model& m);

// Writes objFileText(m) to path through a temporary file renamed over it, so a failed export
// keeps any old file. A failure is logged and comes back with a message box for the user.
FileResult exportObj(const Model& m, const std::string& path);
