// Mouse input for the viewports.
#include "app/viewport_input.h"

#include "ui/panel.h"

namespace {

constexpr ViewId kOrthoViews[] = {ViewFront, ViewLeft, ViewTop};

bool leftOnly(int buttons) {
    return buttons == MkLeft || buttons == (MkLeft | MkShift);
}
bool rightOnly(int buttons) {
    return buttons == MkRight || buttons == (MkRight | MkShift);
}

bool blockingPanelOtherThanMaterialEditor(Editor& editor) {
    return viewportsBlocked(editor.panels) && !editor.panels.materialEditor.visible;
}

// Cursor icon and Edit Toolbar for the view under the pointer.
void hover(Editor& editor, int x, int y) {
    setTransformModeIcon(editor.panels, editor.state.transformMode);
    editor.edit.mouseX = static_cast<float>(x);
    editor.edit.mouseY = static_cast<float>(editor.settings.windowHeight - y);
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!hitTest(view, x, y)) continue;
        editor.state.cursorIcon = CursorOrthoView;
        if (editor.state.editMode == EditMode::DrawNewMesh)
            editor.state.cursorIcon = CursorDrawMesh;
        placeEditToolbar(editor.panels, viewInfo(id).label, view.hitLeft + 5, view.hitTop + 5,
                         true);
    }
    Viewport& view3D = editor.views[View3D];
    // Elsewhere the icons stay enabled, as setTransformModeIcon left them.
    if (hitTest(view3D, x, y))
        placeEditToolbar(editor.panels, viewInfo(View3D).label, view3D.hitLeft + 5,
                         view3D.hitTop + 5, false);
}

void drag(Editor& editor, int buttons, float dx, float dy) {
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!view.dragging) continue;
        if (leftOnly(buttons)) {
            if (view.rubberBand) extendRubberBand(view);
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
    hover(editor, in.pointerX, in.pointerY);

    float dx = 0, dy = 0;
    if (!dragDelta(in.previousX, in.previousY, in.pointerX, in.pointerY, editor.edit.fineMode, &dx,
                   &dy))
        return;
    drag(editor, in.buttonMask, dx, dy);
}

void wheelAt(Editor& editor, int delta, int x, int y) {
    if (viewportsBlocked(editor.panels)) return;
    mouseWheel(editor.views, delta, x, y);
}

void finishRubberBand(Editor& editor, ViewId) {
    if (editor.state.editMode == EditMode::DrawNewMesh) editor.state.editMode = EditMode::Normal;
}
