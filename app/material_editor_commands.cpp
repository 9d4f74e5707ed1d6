// The material editor at work: opening it, its buttons, the texture selector's buttons, and the
// per-frame preview step.
//
// Sections: opening; closing; the editor's buttons; the texture selector; the frame step.
#include "app/material_editor_commands.h"

#include "app/commands.h"
#include "app/textures.h"
#include "edit/materials.h"
#include "ui/hints.h"
#include "ui/material_editor.h"
#include "ui/panel.h"

namespace {

constexpr float kPreviewDistance = -7.0f;
constexpr float kArrowTurn = 1.3f; // degrees per frame while an arrow key is held
constexpr float kAutoYaw = 1.0f;   // degrees per frame while auto-rotate is ticked
constexpr float kAutoPitch = 0.6f;

void offer(Editor& editor, int hint) {
    offerHint(editor.panels, editor.settings.showHint, hint, editor.settings.windowWidth,
              editor.settings.windowHeight);
}

void push(Editor& editor) {
    pushMaterialToEditor(editor.panels.materialEditor, editor.materialEditor, editor.log);
}

// ---- Closing ----

// The working copy replaces the edit model's materials and textures.
void applyCopy(Editor& editor) {
    editor.panels.materialEditor.visible = false;
    copyMaterialsAndTextures(editor.materialEditor, editor.edit);
}

void apply(Editor& editor) {
    applyCopy(editor);
    Model& m = editor.edit;
    if (!editor.state.materialEditorFromMenu && hasCurrentMesh(m))
        m.meshes[m.currentMesh].MaterialNumber = editor.materialEditor.currentMaterial;
    editor.state.materialEditorFromMenu = false;
}

void cancel(Editor& editor) {
    editor.panels.materialEditor.visible = false;
    editor.state.materialEditorFromMenu = false;
}

// Every mesh that used the pin mesh's material takes the edited one.
void applyToSimilar(Editor& editor) {
    Model& m = editor.edit;
    const bool hasMesh = hasCurrentMesh(m);
    const int32_t oldMaterial = hasMesh ? m.meshes[m.currentMesh].MaterialNumber : -1;
    applyCopy(editor);
    if (editor.state.materialEditorFromMenu) {
        editor.platform.messageBox("To use the Apply to Similar Feature you should launch the "
                                   "Material Editor from the MeshPin toolbar.",
                                   "Material Editor", MessageButtons::Ok, MessageIcon::None);
        editor.state.materialEditorFromMenu = false;
        return;
    }
    const int32_t newMaterial = editor.materialEditor.currentMaterial;
    if (!hasMesh || oldMaterial == newMaterial) return;
    for (Mesh& mesh : m.meshes)
        if (mesh.MaterialNumber == oldMaterial) mesh.MaterialNumber = newMaterial;
}

// ---- The editor's buttons ----

void stepFactorLabel(Panel& panel, int id, int32_t (*step)(int32_t, int), int direction) {
    setValue(panel, id, step(getValue(panel, id), direction));
}

void openTextureSelector(Editor& editor) {
    offer(editor, kHintTextureSelector);
    Panel& selector = editor.panels.textureSelector;
    setValue(selector, kIdSelectorPage, 0);
    updateTextureSelector(selector, editor.materialEditor);
    showPanelAt(selector, editor.settings.windowWidth / 2 - 170,
                editor.settings.windowHeight / 2 - 160);
}

// The last material stays, since meshes must always have one to name: with one left, Delete
// does nothing.
void deleteCurrentMaterial(Editor& editor) {
    Model& m = editor.materialEditor;
    if (materialCount(m) <= 1) return;
    if (!confirmCommand(editor, Confirm::Delete)) return;
    if (deleteMaterial(m, m.currentMaterial)) push(editor);
}

} // namespace

// ---- Opening ----

void placeMaterialPreview(Editor& editor) {
    const Panel& panel = editor.panels.materialEditor;
    Viewport& view = editor.views[ViewPreview];
    placeViewport(view, panel.x + 305, panel.y + 70, 250, 235, editor.settings.windowHeight);
    view.distance = kPreviewDistance;
}

void centreMaterialEditor(Editor& editor) {
    Panel& panel = editor.panels.materialEditor;
    showPanelAt(panel, editor.settings.windowWidth / 2 - panel.width / 2,
                editor.settings.windowHeight / 2 - panel.height / 2);
}

void openMaterialEditor(Editor& editor, bool fromMenu) {
    Model& m = editor.edit;
    Model& working = editor.materialEditor;
    editor.state.materialEditorFromMenu = fromMenu;
    logEntry(editor.log, "Material Properties Button Clicked");
    logEntry(editor.log, "Copying Materials from Model to MaterialEditorModel");
    if (hasCurrentMesh(m)) m.currentMaterial = m.meshes[m.currentMesh].MaterialNumber;
    copyMaterialsAndTextures(m, working);
    logf(editor.log, "      MaterialCount = %i", materialCount(working));
    logf(editor.log, "      TextureCount = %i", textureCount(working));
    logEntry(editor.log, "Pushing Current Material Properties to Editor UI");
    logf(editor.log, "    Current Material: %i", working.currentMaterial);
    Panel& panel = editor.panels.materialEditor;
    push(editor);
    choosePreviewModel(panel, 0);
    logEntry(editor.log, "Opening Material Editor Window");
    centreMaterialEditor(editor);
    logEntry(editor.log, "Setting Material Preview ViewPort");
    placeMaterialPreview(editor);
}

void clickMaterialEditor(Editor& editor) {
    Panel& panel = editor.panels.materialEditor;
    Model& m = editor.materialEditor;
    const int id = panelClick(panel, editor.input.pointerX, editor.input.pointerY, editor.platform);
    switch (id) {
    case kIdMaterialApply:
        return apply(editor);
    case kIdMaterialCancel:
        return cancel(editor);
    case kIdApplyToSimilar:
        return applyToSimilar(editor);
    case kIdSourcePrevious:
    case kIdSourceNext:
        return stepFactorLabel(panel, kIdSourceFactor, stepSourceFactor,
                               id == kIdSourceNext ? 1 : -1);
    case kIdDestinationPrevious:
    case kIdDestinationNext:
        return stepFactorLabel(panel, kIdDestinationFactor, stepDestinationFactor,
                               id == kIdDestinationNext ? 1 : -1);
    case kIdTexturePrevious:
    case kIdTextureNext:
        return stepMaterialTexture(panel, m, id == kIdTextureNext ? 1 : -1, editor.log);
    case kIdTextureImage:
        return openTextureSelector(editor);
    case kIdPreviousMaterial:
        return previousMaterial(panel, m, editor.log);
    case kIdNextMaterial:
        return nextMaterial(panel, m, editor.log);
    case kIdPreviewModel1:
    case kIdPreviewModel1 + 1:
    case kIdPreviewModel1 + 2:
        return choosePreviewModel(panel, id - kIdPreviewModel1);
    case kIdAddMaterial:
        appendMaterial(m);
        return push(editor);
    case kIdDeleteMaterial:
        return deleteCurrentMaterial(editor);
    default:
        return; // check boxes flipped themselves; sliders and the picker took their values
    }
}

// ---- The texture selector ----

void clickTextureSelector(Editor& editor) {
    Panel& selector = editor.panels.textureSelector;
    Model& m = editor.materialEditor;
    const int id =
        panelClick(selector, editor.input.pointerX, editor.input.pointerY, editor.platform);
    const int texture = selectorSlotTexture(selector, m, id - kIdTextureSlot);
    if (texture >= 0) {
        if (m.currentMaterial >= 0 && m.currentMaterial < materialCount(m))
            m.materials[m.currentMaterial].TextureIndex = texture;
        selector.visible = false;
        push(editor);
        return;
    }
    const int page = getValue(selector, kIdSelectorPage);
    if (id == kIdSelectorNext) setValue(selector, kIdSelectorPage, page + 1);
    if (id == kIdSelectorPrevious) setValue(selector, kIdSelectorPage, page - 1);
    if (id == kIdSelectorClose) selector.visible = false;
    if (id == kIdSelectorAddTexture) addTexture(editor.platform, m);
    updateTextureSelector(selector, m);
}

// ---- The frame step ----

void stepMaterialEditor(Editor& editor) {
    Viewport& view = editor.views[ViewPreview];
    Panel& panel = editor.panels.materialEditor;
    view.distance = kPreviewDistance;
    const uint8_t* keys = editor.input.keys;
    if (keys[VkLeft]) view.yaw += kArrowTurn;
    if (keys[VkRight]) view.yaw -= kArrowTurn;
    if (keys[VkUp]) view.pitch += kArrowTurn;
    if (keys[VkDown]) view.pitch -= kArrowTurn;
    if (getState(panel, kIdAutoRotate)) {
        view.yaw += kAutoYaw;
        view.pitch += kAutoPitch;
    }
    updatePreviewMaterials(panel, editor.preview);
    pullEditorToMaterial(panel, editor.materialEditor);
}
