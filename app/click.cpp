// The left click: automatic revisions first, then the first open panel in a fixed order takes
// the click; with none open, the Edit Toolbar and then the viewports.
//
// Sections: panels with their own buttons; the pin toolbars; the view toolbars; the Edit
// Toolbar; the viewports; the dispatcher.
#include "app/click.h"

#include "app/commands.h"

#include "app/file_commands.h"
#include "app/material_editor_commands.h"
#include "edit/selection.h"
#include "ui/hints.h"
#include "ui/panel.h"

#include <ctime>

namespace {

int clickPanel(Editor& editor, Panel& panel) {
    return panelClick(panel, editor.input.pointerX, editor.input.pointerY, editor.platform);
}

void offer(Editor& editor, int hint) {
    offerHint(editor.panels, editor.settings.showHint, hint, editor.settings.windowWidth,
              editor.settings.windowHeight);
}

// ---- Panels with their own buttons ----

void clickHints(Editor& editor) {
    if (clickPanel(editor, editor.panels.hints) == kIdHintClose)
        closeHints(editor.panels, editor.settings.showHint);
}

void chooseMode(Editor& editor, int mode) {
    editor.state.transformMode = mode;
    for (int m = 0; m < TransformModeCount; ++m)
        setState(editor.panels.cursorMode, kIdMoveMode + m, m == mode);
}

void clickCursorMode(Editor& editor) {
    const int id = clickPanel(editor, editor.panels.cursorMode);
    if (id >= kIdMoveMode && id < kIdMoveMode + TransformModeCount)
        chooseMode(editor, id - kIdMoveMode);
    setTransformModeIcon(editor.panels, editor.state.transformMode);
    editor.panels.cursorMode.visible = false;
}

void clickAbout(Editor& editor) {
    if (clickPanel(editor, editor.panels.about) == kIdAboutClose)
        editor.panels.about.visible = false;
}

void clickUnlock(Editor& editor) {
    const int id = clickPanel(editor, editor.panels.unlock);
    if (id == kIdUnlockMesh || id == kIdUnlockAllMeshes) runCommand(editor, id);
    editor.panels.unlock.visible = false;
}

// ---- The pin toolbars ----

// Toggles act and leave the toolbar open.
constexpr int kMeshToggles[] = {kIdHideMesh, kIdSmoothMesh, kIdTrianglePins};

bool isMeshToggle(int id) {
    for (int toggle : kMeshToggles)
        if (toggle == id) return true;
    return false;
}

void closeMeshPinToolbars(Editor& editor) {
    editor.panels.meshPin.visible = false;
    editor.panels.meshPinExtended.visible = false;
}

void clickMeshPinToolbar(Editor& editor) {
    Panels& p = editor.panels;
    Panel& panel = p.meshPinExtended.visible ? p.meshPinExtended : p.meshPin;
    const int id = clickPanel(editor, panel);
    if (isMeshToggle(id)) {
        runCommand(editor, id);
        return;
    }
    if (id == kIdShowExtendedMenu && &panel == &p.meshPin) {
        showPanelAt(p.meshPinExtended, p.meshPin.x, p.meshPin.y);
        p.meshPin.visible = false;
        return;
    }
    // A delete answered No leaves the toolbar open.
    if (findCommand(id) && !runCommand(editor, id)) return;
    closeMeshPinToolbars(editor);
}

void clickTrianglePinToolbar(Editor& editor) {
    const int id = clickPanel(editor, editor.panels.trianglePin);
    editor.panels.trianglePin.visible = false;
    runCommand(editor, id);
}

// ---- The view toolbars ----

// Their toggles flip and keep the toolbar open; any other click closes it.
void clickViewToolbar(Editor& editor, Panel& panel, int firstToggle, int lastToggle) {
    // A click only returns ids the panel has, so the range names its toggles.
    const int id = clickPanel(editor, panel);
    if (id >= firstToggle && id <= lastToggle) {
        setState(panel, id, !getState(panel, id));
        return;
    }
    panel.visible = false;
}

// ---- The Edit Toolbar ----

// True when the click was the Edit Toolbar's.
bool clickEditToolbar(Editor& editor) {
    Panels& p = editor.panels;
    if (!p.edit.visible) return false;
    const int id = clickPanel(editor, p.edit);
    const int x = editor.input.pointerX, y = editor.input.pointerY;
    if (id == kIdViewMenu) {
        offer(editor, kHintViewMenu);
        bool ortho = false;
        for (ViewId v : {ViewFront, ViewLeft, ViewTop})
            ortho = ortho || hitTest(editor.views[v], x, y);
        if (ortho)
            showPanelAt(p.viewOrtho, x + 10, y + 10);
        else if (hitTest(editor.views[View3D], x, y))
            showPanelAt(p.view3D, x + 10, y + 10);
        return true;
    }
    if (id >= kIdMoveModeIcon && id < kIdMoveModeIcon + TransformModeCount) {
        showPanelAt(p.cursorMode, x + 10, y + 10);
        offer(editor, kHintCursorMenu);
        return true;
    }
    return false;
}

// ---- The viewports ----

// A press in an orthographic view: a band, unless the pick grabs a vertex to drag.
void clickOrthoView(Editor& editor, ViewId id) {
    Viewport& view = editor.views[id];
    view.dragging = true;
    startRubberBand(view);
    const uint8_t* keys = editor.input.keys;
    const bool shift = keys[VkShift], ctrl = keys[VkControl];
    const Plane plane = viewInfo(id).plane;
    const float r = 3.0f / view.scale;
    Model& m = editor.edit;
    if (!pick(m, view.cursorU - r, view.cursorV - r, view.cursorU + r, view.cursorV + r, plane,
              shift || ctrl, true, ctrl))
        return;
    endRubberBand(view);
    view.snapActive = true;
    Vertex grabbed;
    grabbed.x = m.lastPickedX, grabbed.y = m.lastPickedY, grabbed.z = m.lastPickedZ;
    planeCoordinates(grabbed, plane, view.cursorU, view.cursorV);
}

// A press in the 3D view: a pin opens its toolbar; empty space orbits.
void click3DView(Editor& editor) {
    Model& m = editor.edit;
    Panels& p = editor.panels;
    const int x = editor.input.pointerX, y = editor.input.pointerY;
    const int32_t mesh = firstHoveredMesh(m);
    if (mesh >= 0) {
        m.currentMesh = mesh;
        if (m.meshes[mesh].locked)
            showPanelAt(p.unlock, x, y - p.unlock.height);
        else if (editor.settings.onlyShowExtendedToolbars)
            showPanelAt(p.meshPinExtended, x, y - p.meshPin.height);
        else
            showPanelAt(p.meshPin, x, y - p.meshPin.height);
        return;
    }
    const int32_t t = firstHoveredTriangle(m);
    const int32_t owner = t >= 0 ? meshOfVertex(m, t) : -1;
    if (owner >= 0 && m.meshes[owner].trianglePins) {
        m.currentTriangle = t;
        showPanelAt(p.trianglePin, x, y - p.meshPin.height);
        return;
    }
    editor.views[View3D].dragging = true;
}

} // namespace

// ---- The dispatcher ----

void handleLeftClick(Editor& editor) {
    automaticRevisionCheck(editor, std::time(nullptr));
    Panels& p = editor.panels;
    if (p.hints.visible) return clickHints(editor);
    if (p.textureSelector.visible) return clickTextureSelector(editor);
    if (p.materialEditor.visible) return clickMaterialEditor(editor);
    if (p.cursorMode.visible) return clickCursorMode(editor);
    if (p.about.visible) return clickAbout(editor);
    if (p.unlock.visible) return clickUnlock(editor);
    if (p.meshPin.visible || p.meshPinExtended.visible) return clickMeshPinToolbar(editor);
    if (p.trianglePin.visible) return clickTrianglePinToolbar(editor);
    if (p.viewOrtho.visible)
        return clickViewToolbar(editor, p.viewOrtho, kIdShowGrid, kIdShowMaterials);
    if (p.view3D.visible) return clickViewToolbar(editor, p.view3D, kIdShowGrid, kIdShowMeshPins);
    if (clickEditToolbar(editor)) return;

    const int x = editor.input.pointerX, y = editor.input.pointerY;
    for (ViewId id : kOrthoViews)
        if (hitTest(editor.views[id], x, y)) clickOrthoView(editor, id);
    if (hitTest(editor.views[View3D], x, y)) click3DView(editor);
}
