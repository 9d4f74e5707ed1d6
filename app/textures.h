// Textures of a model: images decoded by the platform, turned into OpenGL texture objects.
#pragma once

#include "model/file_result.h"
#include "model/model.h"
#include "platform/platform.h"

#include <cstddef>
#include <string>

// A remote image may take this long and be this large before it counts as missing.
constexpr int kRemoteTextureTimeoutMs = 4000;
constexpr std::size_t kRemoteTextureBytesLimit = 4u << 20;

// Makes the OpenGL texture of texture record textureIndex from its file name, resolved against
// the current directory (the model's folder after a load). False, with the record's GL texture
// unchanged, when the index is out of range, the image cannot be read or OpenGL refuses it.
// Needs the program's OpenGL context to be current.
bool createTexture(Platform& platform, Model& model, int textureIndex);

// createTexture for every texture record in index order; a failure leaves GL texture 0 and is
// logged with the texture's name.
void loadAllTextures(Platform& platform, Model& model);

// The same for the records from index first on, with their names resolved against folder (the
// folder of a model file just imported); the current directory is the same afterwards.
void loadTexturesInFolder(Platform& platform, Model& model, int first, const std::string& folder);

// Texture records without an OpenGL texture: their images are missing or unreadable.
int missingTextureCount(const Model& model);

// Lets the user pick an image, appends a record named "./" and the image's bare name and makes
// its texture. The record stays even when the image cannot be loaded; the result says whether it
// could. A cancelled dialog changes nothing and gives false.
bool addTexture(Platform& platform, Model& model);

// The open dialog's type list.
FileDialogOptions textureDialogOptions();

// What exporters embed: the image at a path at its own size (at most kMaxImageSide a side), black
// made transparent, encoded as PNG by the platform.
PngSource texturePngSource(Platform& platform);

// The pixels of the texture for a stored file name, as OpenGL takes them: sized by the texture
// size rule against maxSide, black made transparent, rows bottom to top. A name containing
// "http://" is fetched with one bounded GET and decoded from memory.
bool readTextureImage(Platform& platform, const std::string& fileName, int maxSide, RgbaImage& out);
