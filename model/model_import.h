// Importing a model file into another model: all of its records appended after the existing ones.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// Reads the model file at path (empty: the open dialog was cancelled) into a temporary model,
// which restarts the log, then appends its vertices, meshes, materials and textures to target
// with every cross-reference shifted by the counts already there: first vertex by the vertex
// count, material by the material count, texture index by the texture count (a negative texture
// index, which names no texture, stays as it is). The target's
// use-initial-directory flag is cleared; its current mesh, LoadOK, file name and other flags stay.
// Appended vertices are "normal dirty", so the caller recalculates normals; appended textures
// keep GL texture 0 and their names resolve against the imported file's folder. The caller takes
// the undo snapshot first. The current directory is the same afterwards.
//
// On failure (cancel, the reader's failures, counts past int32, memory) "Failed to load FW2 file
// for Importing!" is logged after the reader's own lines and target is exactly as it was (bar the
// cleared flag). Only a failed read brings a message box; a cancel brings none.
FileResult importModelFile(Model& target, const std::string& path);
