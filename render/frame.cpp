// The frame: everything drawn in order, from the views under the panels to the cursor on top.
//
// Sections: overlay; cursor and texture preview; the frame.
#include "render/frame.h"

#include "render/model_draw.h"
#include "ui/material_editor.h"
#include "ui/panel.h"
#include "ui/panel_draw.h"
#include "ui/toolbars.h"

#include <GL/gl.h>

#include <initializer_list>

namespace {

// ---- Overlay ----

void drawPanels(const FrameScene& s, std::initializer_list<Panel*> panels) {
    for (Panel* p : panels) drawPanel(*p, s.windowWidth, s.windowHeight, s.pointerX, s.pointerY);
}

// The name field shows a caret while nameCaret is set.
void drawMaterialEditor(const FrameScene& s) {
    Panel& panel = s.panels->materialEditor;
    if (!panel.visible) return;
    const int index = findWidget(panel, kIdMaterialName);
    const bool hasField = !panel.widgets.empty() && panel.widgets[index].id == kIdMaterialName;
    const bool caret = hasField && s.nameCaret;
    std::string saved;
    if (caret) {
        saved = panel.widgets[index].caption;
        panel.widgets[index].caption = saved + "|";
    }
    drawPanels(s, {&panel});
    if (caret) panel.widgets[index].caption = saved;
}

// The edited material on the ticked preview model, in its viewport inside the editor.
void drawMaterialPreview(const FrameScene& s) {
    if (!s.panels->materialEditor.visible) return;
    setupViewport(s.views[ViewPreview]);
    if (s.preview) drawShaded(*s.preview);
}

// ---- Cursor and texture preview ----

void texturedQuad(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y1);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y1);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y0);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y0);
    glEnd();
}

void drawCursor(const FrameScene& s) {
    glBindTexture(GL_TEXTURE_2D, s.cursorTexture);
    setupOverlay2D(s.windowWidth, s.windowHeight);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(0.9f, 0.9f, 0.9f, 0.9f);
    glEnable(GL_BLEND);
    // Black leaves the frame as it is, so only the pointer shows.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTranslatef(static_cast<float>(s.pointerX), static_cast<float>(s.pointerY), 0);
    texturedQuad(0, 0, 32, 32);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPopMatrix();
}

void drawTexturePreview(const FrameScene& s) {
    if (!s.texturePreview) return;
    const int w = s.windowWidth;
    const int h = s.windowHeight;
    const int a = h / 2 - 20;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTranslatef(static_cast<float>(w / 2 + (w / 2 - a) / 2), static_cast<float>((h / 2) * 2 - 10),
                 0);
    glBindTexture(GL_TEXTURE_2D, s.selectionTexture);
    texturedQuad(0, static_cast<float>(-a), static_cast<float>(a), 0);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 1, 0, 0.5f);
    glBegin(GL_POINTS);
    for (const Vertex& v : s.edit->vertices)
        if (v.selected) glVertex2f(a * v.textureX, -a * v.textureY);
    glEnd();
    glPopMatrix();
}

// The status line over a dark strip at the bottom left, in the debug panel's font.
void drawStatusLine(const FrameScene& s) {
    if (s.statusText.empty()) return;
    const Panel& font = s.panels->debugText;
    const float width = 6.0f * static_cast<float>(s.statusText.size()) + 16;
    const float bottom = static_cast<float>(s.windowHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.1f, 0.1f, 0.1f, 0.8f);
    glRectf(0, bottom - 22, width, bottom);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 0.6f, 1);
    glPushMatrix();
    glTranslatef(8, bottom - 7, 0);
    drawText(font, "%s", s.statusText.c_str());
    glPopMatrix();
}

} // namespace

// ---- The frame ----

void drawFrame(const FrameScene& s) {
    glClearColor(s.background[0], s.background[1], s.background[2], 0.5f);
    // The views leave the last column and row uncovered when the size is odd.
    clearWindow();
    drawLayoutViews(s.views, *s.edit, s.layout, s.ortho, s.view3D, s.renderLit);
    setupOverlay2D(s.windowWidth, s.windowHeight);
    if (s.layout == kLayoutSplit) drawDividers(s.windowWidth, s.windowHeight);
    Panels& p = *s.panels;
    drawPanels(s, {&p.unlock, &p.meshPin, &p.trianglePin, &p.meshPinExtended, &p.edit, &p.viewOrtho,
                   &p.view3D, &p.cursorMode, &p.debugText});
    drawMaterialEditor(s);
    drawMaterialPreview(s);
    drawPanels(s, {&p.textureSelector, &p.hints, &p.about});
    drawStatusLine(s);
    drawCursor(s);
    drawTexturePreview(s);
}
