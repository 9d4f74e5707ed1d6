// The frame: status texts, the four views, the 2D overlay with panels, the cursor.
//
// Sections: status; views; overlay; cursor and texture preview; the frame.
#include "app/frame_render.h"

#include "app/material_editor_commands.h"
#include "base/clock.h"
#include "base/numbers.h"
#include "edit/selection.h"
#include "render/model_draw.h"
#include "render/view_draw.h"
#include "resources/menu_table.h"
#include "ui/material_editor.h"
#include "ui/panel.h"
#include "ui/panel_draw.h"

#include <GL/gl.h>

namespace {

// View-option toggles of the view toolbars.
enum ViewOption {
    OptGrid = 1025,
    OptAxes = 1026,
    OptPoints = 1027,
    OptMeshes = 1028,
    OptMaterials = 1029,
    OptPins = 1030
};

constexpr int kSmoothToggle = 11027;
constexpr int kHiddenToggle = 11022;
constexpr int kTrianglePinsToggle = 11028;
constexpr int kMaterialNameField = 1035;

} // namespace

// ---- Status ----

std::string displayFileName(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void updateStatus(Editor& editor) {
    editor.input.trackingLeave = true;

    Model& m = editor.edit;
    Panels& panels = editor.panels;
    if (m.currentMesh >= 0 && m.currentMesh < meshCount(m)) {
        const Mesh& mesh = m.meshes[m.currentMesh];
        if (panels.meshPin.visible) setState(panels.meshPin, kSmoothToggle, mesh.smooth);
        if (panels.meshPinExtended.visible) {
            setState(panels.meshPinExtended, kSmoothToggle, mesh.smooth);
            setState(panels.meshPinExtended, kHiddenToggle, mesh.hidden);
            setState(panels.meshPinExtended, kTrianglePinsToggle, mesh.trianglePins);
        }
    }

    Panel& debug = panels.debugText;
    if (!debug.visible) return;
    char line[kWidgetTextMax + 1];
    formatC(line, sizeof line, "Model File: %s", displayFileName(m.fileName).c_str());
    setCaption(debug, line, kIdDebugFirstLine);
    const int values[] = {triangleCount(m), meshCount(m),       materialCount(m),
                          textureCount(m),  m.lastNormalVertex, editor.clock.frameRate};
    const char* const formats[] = {"# Triangles: %i",
                                   "# Meshes: %i",
                                   "# Materials: %i",
                                   "# Textures: %i",
                                   "Recalculating Normals - Current #%i",
                                   "Rendering FrameRate: %i"};
    for (int i = 0; i < 6; ++i) {
        formatC(line, sizeof line, formats[i], values[i]);
        setCaption(debug, line, kIdDebugFirstLine + 1 + i);
    }
}

namespace {

// ---- Views ----

void drawViews(Editor& editor) {
    const Panel& ortho = editor.panels.viewOrtho;
    const Panel& options3D = editor.panels.view3D;
    ViewOptions orthoOptions;
    orthoOptions.grid = getState(ortho, OptGrid);
    orthoOptions.axes = getState(ortho, OptAxes);
    orthoOptions.shaded = getState(ortho, OptMaterials);
    ViewOptions options;
    options.grid = getState(options3D, OptGrid);
    options.axes = getState(options3D, OptAxes);
    options.points = getState(options3D, OptPoints);
    options.wire = getState(options3D, OptMeshes);
    options.shaded = getState(options3D, OptMaterials);
    options.pins = getState(options3D, OptPins);
    drawLayoutViews(editor.views, editor.edit, editor.state.viewLayout, orthoOptions, options,
                    editor.platform.menuCheck(CmdRenderLitMesh));
}

// ---- Overlay ----

void drawPanels(Editor& editor, std::initializer_list<Panel*> panels) {
    const Settings& s = editor.settings;
    for (Panel* p : panels)
        drawPanel(*p, s.windowWidth, s.windowHeight, editor.input.pointerX, editor.input.pointerY);
}

// The name field shows a caret for the second half of every second.
void drawMaterialEditor(Editor& editor) {
    Panel& panel = editor.panels.materialEditor;
    if (!panel.visible) return;
    const int index = findWidget(panel, kMaterialNameField);
    const bool hasField = !panel.widgets.empty() && panel.widgets[index].id == kMaterialNameField;
    const bool caret = hasField && clockMs() % 1000 >= 501;
    std::string saved;
    if (caret) {
        saved = panel.widgets[index].caption;
        panel.widgets[index].caption = saved + "|";
    }
    drawPanels(editor, {&panel});
    if (caret) panel.widgets[index].caption = saved;
}

// The edited material on the ticked preview model, in its viewport inside the editor.
void drawMaterialPreview(Editor& editor) {
    if (!editor.panels.materialEditor.visible) return;
    placeMaterialPreview(editor);
    setupViewport(editor.views[ViewPreview]);
    stepMaterialEditor(editor);
    const int ticked = tickedPreviewModel(editor.panels.materialEditor);
    if (ticked >= 0) drawShaded(editor.preview[ticked]);
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

void drawCursor(Editor& editor) {
    const int icon = editor.state.cursorIcon;
    const bool known = icon >= 0 && icon < kCursorTextures;
    glBindTexture(GL_TEXTURE_2D, known ? editor.cursorTextures[icon] : 0);
    setupOverlay2D(editor.settings.windowWidth, editor.settings.windowHeight);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(0.9f, 0.9f, 0.9f, 0.9f);
    glEnable(GL_BLEND);
    // Black leaves the frame as it is, so only the pointer shows.
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTranslatef(static_cast<float>(editor.input.pointerX),
                 static_cast<float>(editor.input.pointerY), 0);
    texturedQuad(0, 0, 32, 32);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPopMatrix();
}

void drawTexturePreview(Editor& editor) {
    if (editor.state.transformMode != ModeTexture || !editor.settings.showTexturePreview) return;
    const int w = editor.settings.windowWidth;
    const int h = editor.settings.windowHeight;
    const int a = h / 2 - 20;
    const Model& m = editor.edit;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTranslatef(static_cast<float>(w / 2 + (w / 2 - a) / 2), static_cast<float>((h / 2) * 2 - 10),
                 0);
    glBindTexture(GL_TEXTURE_2D, textureOfSelection(m));
    texturedQuad(0, static_cast<float>(-a), static_cast<float>(a), 0);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 1, 0, 0.5f);
    glBegin(GL_POINTS);
    for (const Vertex& v : m.vertices)
        if (v.selected) glVertex2f(a * v.textureX, -a * v.textureY);
    glEnd();
    glPopMatrix();
}

} // namespace

// ---- The frame ----

void renderFrame(Editor& editor) {
    const int w = editor.settings.windowWidth;
    const int h = editor.settings.windowHeight;
    // The views leave the last column and row uncovered when the size is odd.
    clearWindow();
    drawViews(editor);
    setupOverlay2D(w, h);
    if (editor.state.viewLayout == kLayoutSplit) drawDividers(w, h);
    Panels& p = editor.panels;
    drawPanels(editor, {&p.unlock, &p.meshPin, &p.trianglePin, &p.meshPinExtended, &p.edit,
                        &p.viewOrtho, &p.view3D, &p.cursorMode, &p.debugText});
    drawMaterialEditor(editor);
    drawMaterialPreview(editor);
    if (p.textureSelector.visible) updateTextureSelector(p.textureSelector, editor.materialEditor);
    drawPanels(editor, {&p.textureSelector, &p.hints, &p.about});
    drawCursor(editor);
    drawTexturePreview(editor);
}
