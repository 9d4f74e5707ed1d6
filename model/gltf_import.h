// Importing a glTF 2.0 file (.glb, or .gltf with external or data-URI buffers) into a model.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// Appends every triangle primitive of the default scene (the first scene when none is named; all
// root nodes when there is no scene), transformed by its node and every parent, as one new mesh
// each; TEXCOORD_0 becomes the texture coordinates (v flipped back). Materials become new
// materials (base colour factor and texture, emission, blending, unlit), added as primitives use
// them; a primitive without one uses material 0. Points, lines, morph targets and skins are
// skipped with a log line; a required extension that is not supported refuses the file. An
// image embedded in the file is written beside it as "<stem>_image<N>.<png|jpg>", so the texture
// can name it; an external image is named as the file names it. New vertices are "normal dirty";
// the current mesh becomes 0. On failure m is as it was and the result says why.
FileResult importGltf(Model& m, const std::string& path);

// The same for a file already in memory; path names it and gives the folder of its external
// buffers and images. Embedded images are named but not written.
FileResult importGltfData(Model& m, std::string data, const std::string& path);
