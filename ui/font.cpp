// Panel fonts: platform glyphs compiled into glBitmap display lists.
#include "ui/font.h"

#include "ui/panel.h"

#include <GL/gl.h>

namespace {

// Whether the glyph's bits cover its declared size, so glBitmap reads nothing beyond them.
bool glyphUsable(const Glyph& g) {
    if (g.width < 0 || g.height < 0) return false;
    const std::size_t rowBytes = static_cast<std::size_t>(g.width + 7) / 8;
    return g.bits.size() >= rowBytes * static_cast<std::size_t>(g.height);
}

} // namespace

void createFontFromGlyphs(Panel& panel, const GlyphSet& glyphs) {
    panel.fontBase = glGenLists(kGlyphCount);
    if (panel.fontBase == 0) return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // glyph rows are whole bytes with no padding
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (int i = 0; i < kGlyphCount; ++i) {
        glNewList(panel.fontBase + i, GL_COMPILE);
        if (i < static_cast<int>(glyphs.glyphs.size()) && glyphUsable(glyphs.glyphs[i])) {
            const Glyph& g = glyphs.glyphs[i];
            // A blank glyph (the space) still needs a bitmap pointer, or the advance is lost.
            static const GLubyte kBlank = 0;
            glBitmap(g.width, g.height, static_cast<GLfloat>(g.originX),
                     static_cast<GLfloat>(g.originY), static_cast<GLfloat>(g.advance), 0.0f,
                     g.bits.empty() ? &kBlank : g.bits.data());
        }
        glEndList();
    }
    glPopClientAttrib();
}

void createFont(Panel& panel, Platform& platform) {
    GlyphSet glyphs;
    if (!platform.rasterizeGlyphs(kFontFamily, kFontPixelHeight, glyphs)) glyphs.glyphs.clear();
    createFontFromGlyphs(panel, glyphs);
}

void deleteFont(Panel& panel) {
    if (panel.fontBase != 0) glDeleteLists(panel.fontBase, kGlyphCount);
    panel.fontBase = 0;
}
