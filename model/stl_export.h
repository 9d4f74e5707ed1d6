// Exporting a model as binary STL, for printers and slicers.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// The binary STL bytes: an 80-byte header, the triangle count, then every whole triangle (hidden
// meshes included) in model space with its facet normal (zero for a degenerate triangle).
std::string stlFileBytes(const Model& m);

// Writes stlFileBytes(m) to path through a temporary file; png is not used.
FileResult exportStl(const Model& m, const std::string& path, const PngSource& png);
