// Texture rules without OpenGL: texture sizes, the black colour key and where images come from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Textures are never larger than this many pixels (4096 x 4096, 64 MB of RGBA), whatever the
// OpenGL implementation accepts, so one big image cannot take the memory of the whole program.
constexpr long long kTexturePixelLimit = 4096LL * 4096LL;

// One side of a texture made from an image side of n pixels: the power of two nearest to n on a
// logarithmic scale, or maxSide when n is larger than maxSide; 0 when n or maxSide is not
// positive (no texture can be made).
int textureSide(int n, int maxSide);

// Both sides at once; when their product passes kTexturePixelLimit the longer side is halved
// until it fits. False when either side comes out 0.
bool textureSize(int imageWidth, int imageHeight, int maxSide, int& width, int& height);

// RGBA pixels as OpenGL takes them: pure black (0, 0, 0) becomes fully transparent, every other
// colour fully opaque. Red, green and blue stay as they are.
void applyBlackColourKey(std::uint8_t* rgba, std::size_t pixelCount);

// Whether a texture name is fetched over HTTP rather than read from a file.
bool isRemoteTextureName(const std::string& fileName);

// Where a texture's image is read from: a name containing "http://" is used as it is; any other
// name is joined to directory (the model's folder), with '\' turned into '/'.
std::string texturePath(const std::string& fileName, const std::string& directory);

// The name stored for an image the user picked: "./" and the file's bare name, so the image is
// looked for in the model's folder when the model is loaded again.
std::string textureRecordName(const std::string& chosenPath);
