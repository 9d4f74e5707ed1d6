// Mouse input for the viewports.
#include "app/viewport_input.h"

#include "app/commands.h"

#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/texture_coords.h"
#include "edit/transforms.h"
#include "ui/hints.h"
#include "ui/panel.h"

namespace {

bool leftOnly(int buttons) {
    return buttons == MkLeft || buttons == (MkLeft | MkShift);
}
bool rightOnly(int buttons) {
    return buttons == MkRight || buttons == (MkRight | MkShift);
}

bool blockingPanelOtherThanMaterialEditor(Editor& editor) {
    return viewportsBlocked(editor.panels) && !editor.panels.materialEditor.visible;
}

// Cursor icon, picked vertices and Edit Toolbar for the view under the pointer. Returns the
// orthographic view under the pointer, or ViewCount for none.
ViewId hover(Editor& editor, int x, int y) {
    setTransformModeIcon(editor.panels, editor.state.transformMode);
    storeMouse(editor.edit, x, y, editor.settings.windowHeight);
    // Every move over a mesh pin offers its hint while the hint's flag is set.
    if (firstHoveredMesh(editor.edit) >= 0)
        offerHint(editor.panels, editor.settings.showHint, kHintMeshPin,
                  editor.settings.windowWidth, editor.settings.windowHeight);
    ViewId under = ViewCount;
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!hitTest(view, x, y)) continue;
        under = id;
        editor.state.cursorIcon = CursorOrthoView;
        const float r = 3.0f / view.scale;
        if (pick(editor.edit, view.cursorU - r, view.cursorV - r, view.cursorU + r,
                 view.cursorV + r, viewInfo(id).plane, false, false, false))
            editor.state.cursorIcon = CursorOverVertex + editor.state.transformMode;
        if (editor.state.editMode == EditMode::DrawNewMesh)
            editor.state.cursorIcon = CursorDrawMesh;
        placeEditToolbar(editor.panels, viewInfo(id).label, view.hitLeft + 5, view.hitTop + 5,
                         true);
    }
    // Elsewhere the icons stay enabled, as setTransformModeIcon left them.
    Viewport& view3D = editor.views[View3D];
    if (hitTest(view3D, x, y))
        placeEditToolbar(editor.panels, viewInfo(View3D).label, view3D.hitLeft + 5,
                         view3D.hitTop + 5, false);
    return under;
}

// A left drag in an orthographic view edits the selection with that view's plane.
void editDrag(Editor& editor, ViewId id, float dx, float dy) {
    const Viewport& view = editor.views[id];
    const Plane plane = viewInfo(id).plane;
    if (editor.state.transformMode == ModeTexture) {
        float du = 0, dv = 0;
        textureDragAmounts(plane, dx, dy, view.scale, du, dv);
        moveTextureCoordinates(editor.edit, du, dv);
        return;
    }
    applyDrag(editor.edit, plane, editor.state.transformMode, view.deltaU, view.deltaV, dy);
}

void drag(Editor& editor, ViewId under, int buttons, float dx, float dy) {
    // Move follows the view's own plane deltas, which only its hit test renews: outside the view
    // it rests rather than repeat a stale delta. The other modes go by pixels and keep acting.
    const bool pixelDriven = editor.state.transformMode != ModeMove;
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!view.dragging) continue;
        if (leftOnly(buttons)) {
            if (view.rubberBand)
                extendRubberBand(view);
            else if (editor.state.editMode == EditMode::Normal && (id == under || pixelDriven))
                editDrag(editor, id, dx, dy);
        } else if (rightOnly(buttons)) {
            panView(view, dx, dy);
        }
    }
    Viewport& view3D = editor.views[View3D];
    if (!view3D.dragging) return;
    if (rightOnly(buttons))
        panView(view3D, dx, dy);
    else if (leftOnly(buttons))
        orbitView(view3D, dx, dy);
}

} // namespace

void mouseMove(Editor& editor) {
    if (!editor.startupComplete) return;
    for (ViewId id : kOrthoViews) editor.views[id].snapEnabled = editor.state.snapToGrid;
    editor.state.cursorIcon = CursorDefault;

    const InputState& in = editor.input;
    if (blockingPanelOtherThanMaterialEditor(editor)) return;
    if (editor.panels.materialEditor.visible) {
        if (in.buttonMask == MkLeft)
            panelDrag(editor.panels.materialEditor, in.pointerX, in.pointerY);
        return;
    }
    const ViewId under = hover(editor, in.pointerX, in.pointerY);

    float dx = 0, dy = 0;
    if (!dragDelta(in.previousX, in.previousY, in.pointerX, in.pointerY, editor.edit.fineMode, &dx,
                   &dy))
        return;
    drag(editor, under, in.buttonMask, dx, dy);
}

void wheelAt(Editor& editor, int delta, int x, int y) {
    if (viewportsBlocked(editor.panels)) return;
    mouseWheel(editor.views, delta, x, y);
}

void finishRubberBand(Editor& editor, ViewId id) {
    const Viewport& view = editor.views[id];
    if (editor.state.editMode == EditMode::DrawNewMesh) {
        prepareCommand(editor, GestureDrawMesh);
        drawNewMesh(editor.edit, view.bandStartU, view.bandStartV, view.bandEndU, view.bandEndV,
                    viewInfo(id).plane);
        editor.state.editMode = EditMode::Normal;
        return;
    }
    const uint8_t* keys = editor.input.keys;
    rectangleSelect(editor.edit, view.bandStartU, view.bandStartV, view.bandEndU, view.bandEndV,
                    viewInfo(id).plane, keys[VkShift] != 0, keys[VkControl] != 0);
}
