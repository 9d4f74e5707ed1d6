// Bitmap resources as OpenGL textures, for image buttons and cursors.
#pragma once

// A new texture holding the resource's image (linear filtering), bound to GL_TEXTURE_2D; 0 for
// an id that has no image. Needs a current GL context.
unsigned loadBitmapTexture(int resourceId);
