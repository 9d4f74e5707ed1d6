// The one place of the model code that talks to OpenGL: texture objects from RGBA pixels.
#pragma once

#include <cstdint>

// GL_MAX_TEXTURE_SIZE of the current context; 0 when no context is current.
int maxTextureSide();

// A new texture object holding width x height RGBA bytes, rows bottom to top, with linear
// filtering and no mipmaps, left bound to GL_TEXTURE_2D. 0 when OpenGL refused it.
std::uint32_t uploadTexture(const std::uint8_t* rgba, int width, int height);

// Frees a texture object made by uploadTexture; 0 is ignored.
void deleteTexture(std::uint32_t name);
// The bytes of level 0 of a texture object (width x height x 4); 0 for name 0 or without a
// context. Leaves no texture bound.
long long textureMemoryBytes(std::uint32_t name);
