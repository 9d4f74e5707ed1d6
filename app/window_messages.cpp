// Window events as the editor handles them: geometry, activation, keys, buttons, wheel.
#include "app/window_messages.h"

#include "app/click.h"
#include "app/commands.h"
#include "app/material_editor_commands.h"
#include "app/viewport_input.h"

#include <algorithm>
#include <iterator>

namespace {

// The program draws its own cursor over the window.
void hideSystemCursor(Editor& editor) {
    if (!editor.input.systemCursorShown) return;
    editor.platform.setSystemCursorVisible(false);
    editor.input.systemCursorShown = false;
}

void relayout(Editor& editor) {
    layoutViewports(editor.views, editor.state.viewLayout, editor.settings.windowWidth,
                    editor.settings.windowHeight);
    if (editor.panels.materialEditor.visible) centreMaterialEditor(editor);
}

void leftButtonUp(Editor& editor) {
    for (ViewId id : kMainViews) {
        editor.views[id].dragging = false;
        editor.views[id].snapActive = false;
    }
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!view.rubberBand) continue;
        finishRubberBand(editor, id);
        endRubberBand(view);
    }
}

} // namespace

void handleWindowEvent(Editor& editor, const WindowEvent& e) {
    InputState& in = editor.input;
    switch (e.type) {
    case WindowEventType::Move:
        editor.settings.windowX = e.x;
        editor.settings.windowY = e.y;
        relayout(editor);
        break;
    case WindowEventType::Size:
        editor.settings.windowWidth = e.width;
        editor.settings.windowHeight = e.height;
        relayout(editor);
        break;
    case WindowEventType::Activate:
        editor.windowActive = !e.minimised;
        // Keys released while the keyboard was elsewhere never come up here.
        if (e.deactivated) {
            std::fill(std::begin(in.keys), std::end(in.keys), uint8_t{0});
            in.buttonMask &= ~(MkShift | MkControl);
        }
        break;
    case WindowEventType::Close:
        editor.quit = true;
        break;
    case WindowEventType::KeyDown:
        in.keys[e.key & 0xFF] = 1;
        in.pressed[e.key & 0xFF] = in.keys[VkControl] ? 2 : 1;
        in.typed.push_back(static_cast<uint8_t>(e.key & 0xFF));
        break;
    case WindowEventType::KeyUp:
        in.keys[e.key & 0xFF] = 0;
        break;
    case WindowEventType::Command:
        runCommand(editor, e.command);
        break;
    case WindowEventType::MouseMove:
        in.previousX = in.pointerX;
        in.previousY = in.pointerY;
        in.pointerX = e.x;
        in.pointerY = e.y;
        in.buttonMask = e.buttons;
        hideSystemCursor(editor);
        in.leftDrag = e.buttons == MkLeft;
        in.rightDrag = e.buttons == MkRight;
        mouseMove(editor);
        break;
    case WindowEventType::LeftDown:
        hideSystemCursor(editor);
        // A press without a move before it (a synthetic click) still lands where it happened.
        in.pointerX = e.x;
        in.pointerY = e.y;
        // A press on a vertex starts a drag: one undo step for all of it.
        if (editor.state.cursorIcon >= CursorOverVertex &&
            editor.state.cursorIcon < CursorOverVertex + TransformModeCount)
            prepareCommand(editor, GestureDragVertices);
        handleLeftClick(editor);
        break;
    case WindowEventType::LeftUp:
        hideSystemCursor(editor);
        leftButtonUp(editor);
        break;
    case WindowEventType::LeftDoubleClick:
        in.pointerX = e.x;
        in.pointerY = e.y;
        if (!viewportsBlocked(editor.panels))
            editor.state.viewLayout =
                toggleMaximise(editor.views, editor.state.viewLayout, e.x, e.y,
                               editor.settings.windowWidth, editor.settings.windowHeight);
        break;
    case WindowEventType::RightDown:
        hideSystemCursor(editor);
        in.pointerX = e.x;
        in.pointerY = e.y;
        for (ViewId id : kMainViews)
            if (hitTest(editor.views[id], e.x, e.y)) editor.views[id].dragging = true;
        break;
    case WindowEventType::RightUp:
        hideSystemCursor(editor);
        in.pointerX = e.x;
        in.pointerY = e.y;
        for (ViewId id : kMainViews) editor.views[id].dragging = false;
        break;
    case WindowEventType::Wheel:
        wheelAt(editor, e.delta, e.x, e.y);
        break;
    case WindowEventType::MouseLeave:
        if (!in.systemCursorShown) {
            editor.platform.setSystemCursorVisible(true);
            in.systemCursorShown = true;
        }
        in.mouseInside = false;
        in.trackingLeave = false;
        break;
    }
}
