// Exporting a model as Wavefront OBJ with materials: shared v/vt/vn, one object per mesh, .mtl.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// Writes "<stem>.mtl" and the OBJ at path: one "o"/"usemtl" block per mesh holding triangles
// (hidden ones included), positions, texture coordinates and normals each listed once, faces
// "f v/vt/vn". Every material gets a "newmtl" with Ka, Kd, Ks, Ns, d and illum, and map_Kd when it
// is textured; an image the OBJ's folder cannot reach by a relative name is copied beside it.
// Normals are written as they are: the caller finishes them first. png is not used.
FileResult exportObjWithMaterials(const Model& m, const std::string& path, const PngSource& png);
