// Uploads the 24-bit bottom-up BGR bitmap resources as textures.
#include "ui/bitmap_texture.h"

#include "resources/bitmaps.h"

#include <GL/gl.h>

unsigned loadBitmapTexture(int resourceId) {
    BitmapImage image;
    if (!bitmapResource(resourceId, image)) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4); // rows are padded to 4 bytes
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_BGR, GL_UNSIGNED_BYTE,
                 image.bytes.data());
    return name;
}
