// The material editor's moves between widgets and materials, the blend cycles and the texture
// selector's pages.
#include "ui/material_editor.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

unsigned noTexture(int) {
    return 0;
}

struct MaterialEditorUi : ::testing::Test {
    Panels panels;
    Panel& editor = panels.materialEditor;
    Model m;
    LogChannel log; // disabled
    MaterialEditorUi() {
        layoutMaterialEditor(panels, noTexture);
        m.materials.resize(1);
    }
    void addTextures(int n) {
        for (int i = 0; i < n; ++i)
            m.textures.push_back({"t" + std::to_string(i) + ".bmp", 100u + i});
    }
    const Widget& widget(const Panel& p, int id) { return p.widgets[findWidget(p, id)]; }
};

} // namespace

TEST(MaterialEditorBlend, CyclesBothWaysAndLeaveStrangersAlone) {
    // source: the end of the cycle goes on to saturate and back to zero
    EXPECT_EQ(stepSourceFactor(773, 1), 776);
    EXPECT_EQ(stepSourceFactor(776, 1), 0);
    EXPECT_EQ(stepSourceFactor(0, -1), 776);
    // destination: its own cycle, eight long
    EXPECT_EQ(stepDestinationFactor(773, 1), 0);
    EXPECT_EQ(stepDestinationFactor(0, -1), 773);
    // a value outside a cycle stays, and has no name on that label
    EXPECT_EQ(stepSourceFactor(768, 1), 768);
    EXPECT_EQ(stepDestinationFactor(776, -1), 776);
    EXPECT_EQ(sourceFactorName(768), "");
    EXPECT_EQ(destinationFactorName(768), "GL_SRC_COLOR");
    EXPECT_EQ(sourceFactorName(776), "GL_SRC_ALPHA_SATURATE");
}

TEST_F(MaterialEditorUi, PushAndPullKeepTheMaterial) {
    Material& mat = m.materials[0];
    mat.name = "HULL";
    mat.shininess = 37.9f;
    mat.diffuseGreen = 0.25f;
    mat.EnableTexture = true;
    mat.TextureIndex = 1;
    addTextures(3);
    pushMaterialToEditor(editor, m, log);
    // the slider shows the truncated shininess; the name and colours come along
    EXPECT_EQ(getValue(editor, kIdShininess), 37);
    EXPECT_EQ(widget(editor, kIdMaterialName).caption, "HULL");
    EXPECT_FLOAT_EQ(editor.pickerColours[2].green, 0.25f);
    EXPECT_EQ(widget(editor, kIdTextureFileName).caption, "t1.bmp");
    EXPECT_EQ(getValue(editor, kIdTextureImage), 101);
    // after a pull the material holds the slider's whole number, the rest unchanged
    pullEditorToMaterial(editor, m);
    EXPECT_FLOAT_EQ(mat.shininess, 37.0f);
    EXPECT_EQ(mat.TextureIndex, 1);
    // unticking "Enable Textures" hides the image, its arrows and its file name
    setState(editor, kIdEnableTexture, false);
    pullEditorToMaterial(editor, m);
    for (int id : {kIdTexturePrevious, kIdTextureNext, kIdTextureFileName, kIdTextureImage})
        EXPECT_FALSE(widget(editor, id).shown) << id;
    // a material without texture shows name 0, keeps the label, and spares texture 0's name
    mat.TextureIndex = -1;
    pushMaterialToEditor(editor, m, log);
    EXPECT_EQ(getValue(editor, kIdTextureImage), 0);
    EXPECT_EQ(widget(editor, kIdTextureFileName).caption, "t1.bmp");
    pullEditorToMaterial(editor, m);
    EXPECT_EQ(m.textures[0].glTexture, 100u);
    // the preview models take the edited values and the shown image as their only texture
    Model previews[kPreviewModels];
    setValue(editor, kIdSourceFactor, 776);
    setValue(editor, kIdTextureImage, 102);
    updatePreviewMaterials(editor, previews);
    for (const Model& p : previews) {
        ASSERT_EQ(textureCount(p), 1);
        EXPECT_EQ(p.textures[0].glTexture, 102u);
        EXPECT_EQ(p.materials[0].blendSrc, 776);
        EXPECT_FLOAT_EQ(p.materials[0].diffuseGreen, 0.25f);
    }
    EXPECT_EQ(widget(editor, kIdSourceFactor).caption, "GL_SRC_ALPHA_SATURATE");
}

TEST_F(MaterialEditorUi, BrowsingWraps) {
    // with one material both directions stay on material 0
    nextMaterial(editor, m, log);
    EXPECT_EQ(m.currentMaterial, 0);
    previousMaterial(editor, m, log);
    EXPECT_EQ(m.currentMaterial, 0);
    // browsing loads each material's own name into the field
    m.materials.resize(2);
    m.materials[1].name = "SAIL";
    previousMaterial(editor, m, log);
    EXPECT_EQ(m.currentMaterial, 1);
    EXPECT_EQ(widget(editor, kIdMaterialName).caption, "SAIL");
    // three textures: ">" from 2 wraps to 0, "<" from 0 wraps to 2
    addTextures(3);
    m.materials[1].TextureIndex = 2;
    stepMaterialTexture(editor, m, 1, log);
    EXPECT_EQ(m.materials[1].TextureIndex, 0);
    stepMaterialTexture(editor, m, -1, log);
    EXPECT_EQ(m.materials[1].TextureIndex, 2);
    EXPECT_EQ(widget(editor, kIdTextureFileName).caption, "t2.bmp");
}

TEST_F(MaterialEditorUi, SelectorPagesReachEveryTexture) {
    Panel& selector = panels.textureSelector;
    addTextures(20);
    // walking ">" from page 0 shows every texture once, and the arrows only where they lead
    std::set<std::string> seen;
    for (int page = 0; page < 10; ++page) {
        updateTextureSelector(selector, m);
        EXPECT_EQ(widget(selector, kIdSelectorPrevious).shown, page > 0);
        for (int k = 0; k < kTexturesPerPage; ++k) {
            const Widget& slot = widget(selector, kIdTextureSlot + k);
            EXPECT_EQ(slot.shown, selectorSlotTexture(selector, m, k) >= 0);
            if (slot.shown) seen.insert(slot.helpText);
        }
        if (!widget(selector, kIdSelectorNext).shown) break;
        setValue(selector, kIdSelectorPage, getValue(selector, kIdSelectorPage) + 1);
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_EQ(getValue(selector, kIdSelectorPage), 2);
    // the last page shows textures 18 and 19 only
    EXPECT_EQ(selectorSlotTexture(selector, m, 1), 19);
    EXPECT_EQ(selectorSlotTexture(selector, m, 2), -1);
    // a page past the last texture falls back to the last page
    setValue(selector, kIdSelectorPage, 7);
    updateTextureSelector(selector, m);
    EXPECT_EQ(getValue(selector, kIdSelectorPage), 2);
    // exactly nine textures make one page without ">"
    m.textures.resize(9);
    updateTextureSelector(selector, m);
    EXPECT_EQ(getValue(selector, kIdSelectorPage), 0);
    EXPECT_FALSE(widget(selector, kIdSelectorNext).shown);
    EXPECT_TRUE(widget(selector, kIdTextureSlot + 8).shown);
}
