// Importing a Wavefront OBJ file: its faces become new meshes appended to a model.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// Appends the triangles of the OBJ file at path (the file the open dialog chose) to m. Every
// valid face is fanned into triangles, each group of faces becomes a new mesh with material 0,
// and texture coordinates come from the face's "vt" entries or the fixed fallbacks; a model
// without materials first gets the default new model's material. New vertices
// are "normal dirty": the caller recalculates normals after a success. The current mesh becomes
// 0; the file name, flags and existing records stay as they were; no undo step is taken.
//
// On failure (unreadable file, no valid triangle, counts past int32, memory) m is exactly as it
// was, the reason is logged and returned with a message box for the user.
FileResult importObj(Model& m, const std::string& path);

// The same for an OBJ file already in memory; path only names it in messages.
FileResult importObjData(Model& m, std::string data, const std::string& path);
