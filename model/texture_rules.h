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

// Where a texture's image is read from: a name containing "http://" and an absolute name are
// used as they are; any other name is joined to directory (the model's folder), with '\' turned
// into '/'.
std::string texturePath(const std::string& fileName, const std::string& directory);

// The name that finds, from the folder to, the image that fileName finds from the folder from
// (both absolute, with a trailing '/'): "./maps/a.png" saved from /m/ into /m/old/ becomes
// "../maps/a.png". Remote and absolute names, and every name when the folders are the same, stay
// exactly as they are; a relative name becomes absolute only when no relative one can be formed
// (a folder that is not absolute).
std::string rebasedTextureName(const std::string& fileName, const std::string& from,
                               const std::string& to);

// "WARNING: Texture 2 cannot be loaded: ./wood.png": the line that names a texture whose image
// is missing or unreadable, in the log and on the tool's standard error.
std::string missingTextureLine(int index, const std::string& fileName);

// The name stored for an image the user picked: "./" and the file's bare name when the image
// sits in the model's folder or the model has no folder yet (modelFolder empty); otherwise the
// name that finds it from modelFolder ("../maps/a.png"), so it is found when the model is loaded
// again.
std::string textureRecordName(const std::string& chosenPath, const std::string& modelFolder);
