// The one place of the model code that talks to OpenGL: texture objects from RGBA pixels.
#include "model/texture_upload.h"

#include <GL/gl.h>

int maxTextureSide() {
    GLint max = 0; // stays 0 without a current context
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max);
    return max > 0 ? static_cast<int>(max) : 0;
}

std::uint32_t uploadTexture(const std::uint8_t* rgba, int width, int height) {
    if (!rgba || width <= 0 || height <= 0) return 0;
    // Errors left by earlier calls must not be taken for this upload's (bounded: a lost
    // context may report its error forever).
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) return 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4); // RGBA rows are whole 4-byte words
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    if (glGetError() != GL_NO_ERROR) {
        // Out of texture memory, or a size the implementation refuses: no half-made texture.
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &name);
        return 0;
    }
    return name;
}

void deleteTexture(std::uint32_t name) {
    if (name == 0) return;
    const GLuint texture = name;
    glDeleteTextures(1, &texture);
}

long long textureMemoryBytes(std::uint32_t name) {
    if (name == 0) return 0;
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, 0);
    return width > 0 && height > 0 ? 4LL * width * height : 0;
}
