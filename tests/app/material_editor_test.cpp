// The material editor driven through the menu, the mesh pin, clicks, keys and the frame step.
#include "app/click.h"
#include "app/commands.h"
#include "app/keyboard.h"
#include "app/material_editor_commands.h"
#include "app/window_messages.h"
#include "edit/undo.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "temp_files.h"
#include "ui/material_editor.h"
#include "ui/panel.h"

#include "editor_fixture.h"

#include <gtest/gtest.h>

using fwtest::LaidOutEditor;

namespace {

// Three one-triangle meshes using materials 0, 0 and 1 of three; panels at 800 x 600.
struct MaterialEditorApp : LaidOutEditor {
    Panel& panel = editor.panels.materialEditor;
    MaterialEditorApp() {
        for (bool& shown : editor.settings.showHint) shown = false;
        Model& m = editor.edit;
        m.vertices.resize(9);
        m.meshes.resize(3);
        for (int k = 0; k < 3; ++k) {
            m.meshes[k].firstVertex = 3 * k;
            m.meshes[k].triangleCount = 1;
        }
        m.meshes[2].MaterialNumber = 1;
        m.materials.resize(3);
        m.materials[0].name = "HULL";
        m.materials[1].name = "SAIL";
        m.materials[2].name = "MAST";
        for (Material& mat : m.materials) mat.blendSrc = 770, mat.blendDst = 771;
        setupUndo(m, 5);
    }
    void clickWidget(Panel& p, int id) {
        const Widget& w = p.widgets[findWidget(p, id)];
        editor.input.pointerX = p.x + w.x + w.width / 2;
        editor.input.pointerY = p.y + w.y + w.height / 2;
        handleLeftClick(editor);
    }
    // Opens the editor from mesh k's pin toolbar.
    void openFromPin(int k) {
        editor.edit.currentMesh = k;
        showPanelAt(editor.panels.meshPin, 100, 100);
        clickWidget(editor.panels.meshPin, kIdMeshMaterial);
    }
    const std::string& caption(int id) { return panel.widgets[findWidget(panel, id)].caption; }
};

} // namespace

TEST_F(MaterialEditorApp, MenuOpensWithItsLogLinesInOrder) {
    const std::string dir = fwtest::makeScratchDir();
    logOpen(editor.log, dir + "test.log");
    editor.edit.currentMesh = 2;
    runCommand(editor, CmdShowMaterialEditor);
    const std::vector<std::string> expected = {
        "Material Properties Button Clicked",
        "Copying Materials from Model to MaterialEditorModel",
        "      MaterialCount = 3",
        "      TextureCount = 0",
        "Pushing Current Material Properties to Editor UI",
        "    Current Material: 1",
        "    Pushing Material to EditorUI:  Current Material = 1",
        "Opening Material Editor Window",
        "Setting Material Preview ViewPort",
    };
    std::vector<std::string> logged;
    for (const std::string& line : fwtest::splitLines(fwtest::readText(dir + "test.log"))) {
        const std::size_t cut = line.find(" - ");
        if (cut != std::string::npos) logged.push_back(line.substr(cut + 3));
    }
    ASSERT_GE(logged.size(), expected.size());
    logged.erase(logged.begin(), logged.end() - expected.size());
    EXPECT_EQ(logged, expected);
    // the current mesh's material is current in both models, the editor centred, preview 1 on
    EXPECT_TRUE(panel.visible);
    EXPECT_EQ(panel.x, 100);
    EXPECT_EQ(panel.y, 50);
    EXPECT_EQ(editor.materialEditor.currentMaterial, 1);
    EXPECT_EQ(caption(kIdMaterialName), "SAIL");
    EXPECT_TRUE(getState(panel, kIdPreviewModel1));
    EXPECT_EQ(editor.views[ViewPreview].left, 405);
    EXPECT_EQ(editor.views[ViewPreview].height, 235);
    EXPECT_TRUE(editor.state.materialEditorFromMenu);
    EXPECT_TRUE(editor.edit.undo.canUndo);
}

TEST_F(MaterialEditorApp, ApplyCancelAndApplyToSimilar) {
    // from a pin, Apply gives the pin's mesh the material shown
    openFromPin(0);
    ASSERT_TRUE(panel.visible);
    EXPECT_FALSE(editor.state.materialEditorFromMenu);
    clickWidget(panel, kIdNextMaterial);
    clickWidget(panel, kIdMaterialApply);
    EXPECT_FALSE(panel.visible);
    EXPECT_EQ(editor.edit.meshes[0].MaterialNumber, 1);
    EXPECT_EQ(editor.edit.meshes[1].MaterialNumber, 0);
    // Cancel drops the working copy
    openFromPin(1);
    setCaption(panel, "RENAMED", kIdMaterialName);
    stepMaterialEditor(editor);
    clickWidget(panel, kIdMaterialCancel);
    EXPECT_EQ(editor.edit.materials[0].name, "HULL");
    // Apply to Similar from a pin moves every mesh of the old material, the pin's included
    openFromPin(1);
    clickWidget(panel, kIdPreviousMaterial); // 0 -> 2
    clickWidget(panel, kIdApplyToSimilar);
    EXPECT_EQ(editor.edit.meshes[1].MaterialNumber, 2);
    EXPECT_EQ(editor.edit.meshes[0].MaterialNumber, 1);
    EXPECT_EQ(editor.edit.meshes[2].MaterialNumber, 1);
    EXPECT_TRUE(platform.callsOf(CallKind::MessageBox).empty());
    // from the menu it tells how to use it, yet applies the edited materials
    runCommand(editor, CmdShowMaterialEditor);
    setCaption(panel, "KEEL", kIdMaterialName);
    stepMaterialEditor(editor);
    clickWidget(panel, kIdApplyToSimilar);
    const auto boxes = platform.callsOf(CallKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "To use the Apply to Similar Feature you should launch the Material "
                             "Editor from the MeshPin toolbar.");
    EXPECT_EQ(boxes[0].caption, "Material Editor");
    EXPECT_FALSE(panel.visible);
    EXPECT_FALSE(editor.state.materialEditorFromMenu);
    EXPECT_EQ(editor.edit.materials[2].name, "KEEL"); // mesh 1's material since the last apply
    EXPECT_EQ(editor.edit.meshes[1].MaterialNumber, 2);
}

TEST_F(MaterialEditorApp, ButtonsOfTheEditor) {
    runCommand(editor, CmdShowMaterialEditor);
    Model& working = editor.materialEditor;
    // the blend arrows step the labels; the frame step writes them into the material
    clickWidget(panel, kIdSourcePrevious);  // GL_SRC_ALPHA -> GL_ONE_MINUS_DST_COLOR
    clickWidget(panel, kIdDestinationNext); // GL_ONE_MINUS_SRC_ALPHA -> GL_DST_ALPHA
    stepMaterialEditor(editor);
    EXPECT_EQ(working.materials[0].blendSrc, 775);
    EXPECT_EQ(working.materials[0].blendDst, 772);
    EXPECT_EQ(caption(kIdSourceFactor), "GL_ONE_MINUS_DST_COLOR");
    // exactly one preview model is ticked, also when the ticked box is clicked again
    clickWidget(panel, kIdPreviewModel1 + 2);
    clickWidget(panel, kIdPreviewModel1 + 2);
    EXPECT_EQ(tickedPreviewModel(panel), 2);
    EXPECT_FALSE(getState(panel, kIdPreviewModel1));
    // auto-rotate and a held arrow key turn the preview each frame, at the fixed distance
    clickWidget(panel, kIdAutoRotate);
    editor.input.keys[VkLeft] = 1;
    const float yaw = editor.views[ViewPreview].yaw;
    stepMaterialEditor(editor);
    EXPECT_FLOAT_EQ(editor.views[ViewPreview].yaw, yaw + 2.3f);
    EXPECT_FLOAT_EQ(editor.views[ViewPreview].distance, -7.0f);
    editor.input.keys[VkLeft] = 0;
    // Add New appends a copy and shows it; Delete asks and removes it on Yes
    clickWidget(panel, kIdAddMaterial);
    EXPECT_EQ(materialCount(working), 4);
    EXPECT_EQ(caption(kIdMaterialNumber), "3");
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    clickWidget(panel, kIdDeleteMaterial);
    EXPECT_EQ(materialCount(working), 3);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).at(0).caption, "Confirm Delete");
    // with one material left Delete does nothing and asks nothing
    working.materials.resize(1);
    working.currentMaterial = 0;
    clickWidget(panel, kIdDeleteMaterial);
    EXPECT_EQ(materialCount(working), 1);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u);
}

TEST_F(MaterialEditorApp, TexturesAddedWhileEditingArePickedFromTheSelector) {
    // the edit model has no texture; twelve added while editing can all be chosen
    editor.edit.materials[0].EnableTexture = true;
    runCommand(editor, CmdShowMaterialEditor);
    for (int i = 0; i < 12; ++i)
        editor.materialEditor.textures.push_back({"t" + std::to_string(i) + ".bmp", 50u + i});
    stepMaterialEditor(editor);
    clickWidget(panel, kIdTextureImage);
    Panel& selector = editor.panels.textureSelector;
    ASSERT_TRUE(selector.visible);
    EXPECT_EQ(selector.x, 400 - 170);
    EXPECT_EQ(selector.y, 300 - 160);
    // the second page's second slot is texture 10; the choice survives the next frame
    clickWidget(selector, kIdSelectorNext);
    clickWidget(selector, kIdTextureSlot + 1);
    EXPECT_FALSE(selector.visible);
    EXPECT_EQ(caption(kIdTextureFileName), "t10.bmp");
    stepMaterialEditor(editor);
    EXPECT_EQ(editor.materialEditor.materials[0].TextureIndex, 10);
    EXPECT_EQ(editor.preview[0].textures.at(0).glTexture, 60u);
    // Apply carries textures and choice into the edit model
    clickWidget(panel, kIdMaterialApply);
    EXPECT_EQ(textureCount(editor.edit), 12);
    EXPECT_EQ(editor.edit.materials[0].TextureIndex, 10);
}

TEST_F(MaterialEditorApp, TypingKeepsEveryKeyAndStopsAtTheFieldsCapacity) {
    runCommand(editor, CmdShowMaterialEditor);
    // Presses and releases of the keys of the text, '<' for Backspace.
    auto type = [&](const std::string& text) {
        WindowEvent e;
        for (char c : text) {
            e.key = c == '<' ? int{VkBackspace} : c;
            e.type = WindowEventType::KeyDown;
            handleWindowEvent(editor, e);
            e.type = WindowEventType::KeyUp;
            handleWindowEvent(editor, e);
        }
    };
    // every key typed between two frames counts, in order; M types instead of changing the mode
    type("<<<<SKIN 1");
    handleKeyboard(editor);
    EXPECT_EQ(caption(kIdMaterialName), "SKIN 1");
    type("<<M7");
    handleKeyboard(editor);
    EXPECT_EQ(caption(kIdMaterialName), "SKINM7");
    EXPECT_EQ(editor.state.transformMode, ModeMove);
    // a full field takes no more
    setCaption(panel, std::string(kWidgetTextMax, 'A'), kIdMaterialName);
    type("B");
    handleKeyboard(editor);
    EXPECT_EQ(caption(kIdMaterialName), std::string(kWidgetTextMax, 'A'));
    stepMaterialEditor(editor);
    EXPECT_EQ(editor.materialEditor.materials[0].name.size(), kWidgetTextMax);
}
