// The frame step: the status texts that mirror the model, the material editor's per-frame step,
// and the scene handed to the frame drawing.
#include "app/frame_step.h"

#include "app/material_editor_commands.h"
#include "app/modelling_commands.h"
#include "app/textures.h"
#include "base/clock.h"
#include "base/numbers.h"
#include "edit/normals.h"
#include "edit/selection.h"
#include "render/frame.h"
#include "resources/menu_table.h"
#include "ui/material_editor.h"
#include "ui/panel.h"

#include <algorithm>

// ---- Status ----

std::string displayFileName(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void updateStatus(Editor& editor) {
    editor.input.trackingLeave = true;

    Model& m = editor.edit;
    Panels& panels = editor.panels;
    if (hasCurrentMesh(m)) {
        const Mesh& mesh = m.meshes[m.currentMesh];
        if (panels.meshPin.visible) setState(panels.meshPin, kIdSmoothMesh, mesh.smooth);
        if (panels.meshPinExtended.visible) {
            setState(panels.meshPinExtended, kIdSmoothMesh, mesh.smooth);
            setState(panels.meshPinExtended, kIdHideMesh, mesh.hidden);
            setState(panels.meshPinExtended, kIdTrianglePins, mesh.trianglePins);
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
    // A texture whose image did not load is named (the first of them), not dropped silently.
    line[0] = '\0';
    if (const int missing = missingTextureCount(m)) {
        const auto first = std::find_if(m.textures.begin(), m.textures.end(),
                                        [](const Texture& t) { return t.glTexture == 0; });
        formatC(line, sizeof line, "Missing Textures: %i (%s)", missing, first->fileName.c_str());
    }
    setCaption(debug, line, kIdDebugMissingTextures);
    // The panel grows by that line while it shows.
    debug.height = line[0] ? kDebugTextHeight + kDebugTextLine : kDebugTextHeight;
}

namespace {

// What the view toolbars' toggles ask the views to show.
void viewOptions(const Panels& p, FrameScene& scene) {
    scene.ortho.grid = getState(p.viewOrtho, kIdShowGrid);
    scene.ortho.axes = getState(p.viewOrtho, kIdShowAxis);
    scene.ortho.shaded = getState(p.viewOrtho, kIdShowMaterials);
    ViewOptions& o = scene.view3D;
    o.grid = getState(p.view3D, kIdShowGrid);
    o.axes = getState(p.view3D, kIdShowAxis);
    o.points = getState(p.view3D, kIdShowPoints);
    o.wire = getState(p.view3D, kIdShowMeshes);
    o.shaded = getState(p.view3D, kIdShowMaterials);
    o.pins = getState(p.view3D, kIdShowMeshPins);
}

// The material editor turns its preview and takes its widgets' values before the frame shows it.
void stepMaterialEditorFrame(Editor& editor, FrameScene& scene) {
    Panels& p = editor.panels;
    if (p.materialEditor.visible) {
        placeMaterialPreview(editor);
        stepMaterialEditor(editor);
        const int ticked = tickedPreviewModel(p.materialEditor);
        if (ticked >= 0) scene.preview = &editor.preview[ticked];
        // The caret shows for the second half of every second.
        scene.nameCaret = clockMs() % 1000 >= 501;
    }
    if (p.textureSelector.visible) updateTextureSelector(p.textureSelector, editor.materialEditor);
}

} // namespace

// ---- The frame ----

namespace {
// The share of a frame that pending normal recalculation may take before the drawing: whole
// passes until it is spent, so a large model is shaded within seconds, not one batch a frame. The
// passes of one frame carry on from what those of the frames before learnt.
constexpr int64_t kNormalsFrameBudgetMs = 8;
} // namespace

void renderFrame(Editor& editor) {
    recalculateNormalsWithin(editor.edit, editor.normals, kNormalsFrameBudgetMs);
    const Settings& s = editor.settings;
    FrameScene scene;
    scene.views = editor.views;
    scene.edit = &editor.edit;
    scene.panels = &editor.panels;
    scene.layout = editor.state.viewLayout;
    scene.windowWidth = s.windowWidth;
    scene.windowHeight = s.windowHeight;
    scene.pointerX = editor.input.pointerX;
    scene.pointerY = editor.input.pointerY;
    scene.background[0] = s.backgroundRed;
    scene.background[1] = s.backgroundGreen;
    scene.background[2] = s.backgroundBlue;
    viewOptions(editor.panels, scene);
    scene.renderLit = editor.platform.menuCheck(CmdRenderLitMesh);
    stepMaterialEditorFrame(editor, scene);
    const int icon = editor.state.cursorIcon;
    if (icon >= 0 && icon < kCursorTextures) scene.cursorTexture = editor.cursorTextures[icon];
    scene.texturePreview =
        editor.state.transformMode == ModeTexture && editor.settings.showTexturePreview;
    if (scene.texturePreview) scene.selectionTexture = textureOfSelection(editor.edit);
    scene.statusText = currentStatusText(editor);
    drawFrame(scene);
}
