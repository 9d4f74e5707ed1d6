// Exporting a model as glTF 2.0: binary .glb, or .gltf with its .bin and images beside it.
#pragma once

#include "model/file_result.h"
#include "model/model.h"

#include <string>

// Blinn-Phong shininess (0..128) to glTF roughness: a lobe of exponent n is about as wide as a
// microfacet lobe of alpha^2 = 2 / (n + 2), and glTF's alpha is roughness squared, so
// roughness = (2 / (n + 2))^(1/4): 0 -> 1, 10 -> 0.64, 50 -> 0.44, 128 -> 0.35.
float roughnessFromShininess(float shininess);
// The inverse, for the importer; clamped to 0..128.
float shininessFromRoughness(float roughness);

// One glTF mesh (with one node) per mesh that holds triangles, hidden ones included; each has
// one primitive, since a mesh has one material. Corners that coincide in position, normal and
// texture coordinates share a vertex. Normals are written as they are (finished by the caller,
// made unit length). Textured materials embed the PNG that png gives for the texture's image;
// without a source, or when it fails, the material is written untextured and the log says so.
// The extension of path chooses .glb or .gltf; a .gltf gets "<stem>.bin" and
// "<stem>_texture<N>.png" beside it.
// The .glb bytes of m, images embedded. May throw std::bad_alloc.
std::string glbBytes(const Model& m, const PngSource& png);

FileResult exportGltf(const Model& m, const std::string& path, const PngSource& png);
