// Material and texture lists: append, delete, strip unused, copy between models.
//
// Every operation keeps the references sound: a mesh always names an existing material (while the
// model has any), and a material's texture index that names a texture keeps naming the same one.
// An index that names no texture (kNoTexture, or one past the list as files may hold) keeps
// naming none.
#pragma once

#include "model/model.h"

#include <cstdint>

// A material texture index that names no texture: texturing finds no image.
constexpr int32_t kNoTexture = -1;

// A plain lit white material, used when a model that has none needs one.
Material defaultMaterial();

// The index a new mesh may use: `wanted` when it names a material, else 0. A model without
// materials first gets defaultMaterial(), so the index is always valid afterwards.
int32_t usableMaterial(Model& m, int32_t wanted);

// Appends a copy of the current material (name and all values) and makes it current. A current
// index outside the list copies the last material; a model without materials gets
// defaultMaterial().
void appendMaterial(Model& m);

// Removes material a: later materials move down a place unchanged, meshes naming a later material
// follow it, meshes that used a take the material now at index a (or the last one), and the
// current material becomes the last. The last remaining material is never deleted. Returns
// whether a material was removed (false for an index outside the list or a single material).
bool deleteMaterial(Model& m, int32_t a);

// Removes texture j: later textures move down a place, materials naming a later texture follow
// it, and materials that named j get kNoTexture. Returns whether a texture was removed.
bool deleteTexture(Model& m, int32_t j);

// Deletes every material no mesh uses (keeping at least one material), then every texture no
// material names, whether or not that material has texturing on. Other indices stay as they are.
void stripUnusedMaterialsAndTextures(Model& m);

// Replaces the destination's materials, current material and textures by copies of the source's.
// Vertices are untouched; a destination mesh whose material index is outside the copied list
// takes the nearest one (the last for an index past the list), so it never names a missing one.
void copyMaterialsAndTextures(const Model& source, Model& destination);
