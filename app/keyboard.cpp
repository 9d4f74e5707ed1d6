// Per-frame keyboard handling.
#include "app/keyboard.h"

#include "app/commands.h"
#include "app/viewport_input.h"
#include "resources/menu_table.h"
#include "ui/material_editor.h"
#include "ui/panel.h"

namespace {

// The character a key types into the material name (letters upper case), or 0.
char nameCharacter(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<char>(key);
    return key == VkSpace ? ' ' : 0;
}

// While the material editor is open the keys type its material name: every key-down since the
// last frame in order, so a slow frame loses none of them.
void typeMaterialName(Editor& editor) {
    uint8_t* keys = editor.input.keys;
    Panel& panel = editor.panels.materialEditor;
    const int index = findWidget(panel, kIdMaterialName);
    if (panel.widgets.empty() || panel.widgets[index].id != kIdMaterialName) return;
    std::string name = panel.widgets[index].caption;
    for (uint8_t key : editor.input.typed) {
        const char c = nameCharacter(key);
        if (key == VkBackspace && !name.empty())
            name.pop_back();
        else if (c && name.size() < kWidgetTextMax)
            name += c;
        if (c || key == VkBackspace) keys[key] = 0; // consumed
    }
    setCaption(panel, name, kIdMaterialName);
}

void cycleTransformMode(Editor& editor) {
    editor.state.transformMode = (editor.state.transformMode + 1) % TransformModeCount;
    setTransformModeIcon(editor.panels, editor.state.transformMode);
}

void handleKeys(Editor& editor) {
    if (editor.panels.materialEditor.visible) {
        typeMaterialName(editor);
        return;
    }
    uint8_t* keys = editor.input.keys;
    const InputState& in = editor.input;
    // Held keys repeat every frame; they are not consumed.
    if (keys[VkPageUp]) wheelAt(editor, 1, in.pointerX, in.pointerY);
    if (keys[VkPageDown]) wheelAt(editor, -1, in.pointerX, in.pointerY);
    Viewport& view3D = editor.views[View3D];
    if (keys[VkUp]) view3D.pitch += 1.0f;
    if (keys[VkDown]) view3D.pitch -= 1.0f;
    if (keys[VkLeft]) view3D.roll += 1.0f;
    if (keys[VkRight]) view3D.roll -= 1.0f;
    if (keys[VkM]) {
        keys[VkM] = 0;
        cycleTransformMode(editor);
    }
    // One step per key-down: the press is consumed, and auto-repeat presses count again.
    for (std::size_t i = 0; i < kMenuKeyCount; ++i) {
        const MenuKey& k = kMenuKeys[i];
        if (!keys[k.key] || (keys[VkControl] != 0) != k.ctrl || (k.shift && !keys[VkShift]))
            continue;
        keys[k.key] = 0;
        runCommand(editor, k.id);
    }
}

} // namespace

void handleKeyboard(Editor& editor) {
    // A key tapped between two frames (pressed and released before this pass) still counts
    // once, as if it had been down for this frame; and a key that went down while Ctrl was held
    // counts with Ctrl in the first frame that sees it, even if Ctrl came up first. Slow frames
    // and quick hands must not lose keystrokes.
    InputState& in = editor.input;
    uint8_t tapped[256] = {};
    for (int k = 0; k < 256; ++k) {
        if (!in.pressed[k]) continue;
        if (!in.keys[k]) tapped[k] = in.keys[k] = 1;
        if (in.pressed[k] == 2 && !in.keys[VkControl]) tapped[VkControl] = in.keys[VkControl] = 1;
    }
    handleKeys(editor);
    for (int k = 0; k < 256; ++k) {
        if (tapped[k]) in.keys[k] = 0;
        in.pressed[k] = 0;
    }
    in.typed.clear();
}
